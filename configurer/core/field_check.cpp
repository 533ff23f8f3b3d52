#include "configurer/core/field_check.h"

#include <algorithm>

#include "configurer/core/entry_storage.h"
#include "textprep/user_dictionary_stage.h"

namespace vl {
namespace {

bool takes_apostrophes(ListKind kind, Field field, const Language& language) {
    return kind == ListKind::UserDictionaryList && field == Field::source && looks_up_words_as_written(language);
}

// The position of the first apostrophe without a letter on each side, else 0:
// the engine keeps an apostrophe in a word only between two letters.
std::size_t misplaced_apostrophe_position(std::u16string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (!is_apostrophe(word[i])) continue;
        if (i == 0 || i + 1 == word.size() || !is_letter(word[i - 1]) || !is_letter(word[i + 1])) return i + 1;
    }
    return 0;
}

bool allowed_by_classes(char16_t c, unsigned classes) {
    if (classes == kNotAlphanumeric) return !is_alphanumeric(c);
    const Script script = letter_script(c);
    return ((classes & kLatin) && script == Script::latin) || ((classes & kCyrillic) && script == Script::cyrillic) ||
           ((classes & kDigits) && is_digit(c));
}

}  // namespace

std::size_t find_invalid_char(std::u16string_view text, unsigned classes, std::u16string_view extra) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!allowed_by_classes(c, classes) && extra.find(c) == std::u16string_view::npos) return i + 1;
    }
    return 0;
}

FieldRule field_rule(ListKind kind, Field field, const Language& language) {
    if (field == Field::replacement) {
        return {kCyrillic, kind == ListKind::UserDictionaryList ? std::u16string_view(u"+=-") : u"+- "};
    }
    switch (kind) {
        case ListKind::LatinLetters:
        case ListKind::LatinCombinations: return {kLatin, {}};
        case ListKind::CyrillicLetters: return {kCyrillic, {}};
        case ListKind::Symbols: return {kNotAlphanumeric, {}};
        case ListKind::UserDictionaryList:
            return {kLatin | kCyrillic, takes_apostrophes(kind, field, language) ? kApostrophes : u""};
    }
    return {kNotAlphanumeric, {}};
}

std::size_t field_error_position(ListKind kind, Field field, std::u16string_view text, const Language& language) {
    if (text.empty()) return 0;
    const FieldRule rule = field_rule(kind, field, language);
    std::size_t position =
        first_position(find_invalid_char(text, rule.classes, rule.extra), unstorable_position(kind, field, text));
    if (takes_apostrophes(kind, field, language))
        position = first_position(position, misplaced_apostrophe_position(text));
    return position;
}

std::size_t typing_error_position(ListKind kind, Field field, std::u16string_view text, const Language& language) {
    const std::size_t position = field_error_position(kind, field, text, language);
    const bool word_goes_on = takes_apostrophes(kind, field, language) && position == text.size() &&
                              text.size() >= 2 && is_apostrophe(text.back()) && is_letter(text[text.size() - 2]);
    return word_goes_on ? 0 : position;
}

}  // namespace vl
