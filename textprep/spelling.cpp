#include "textprep/spelling.h"

#include "base/char_class.h"
#include "base/lowercase.h"
#include "textprep/pronunciation_list.h"

namespace vl {
namespace {

// The lone form the rules give a letter, or null.
const std::u16string_view* lone_form(const SpellingRules& rules, char16_t letter) {
    const char16_t lower = to_lower(letter);
    for (const DefaultEntry& entry : rules.lone_letters) {
        if (entry.key.size() == 1 && entry.key[0] == lower) return &entry.value;
    }
    return nullptr;
}

std::u16string write_lone_letters(std::u16string_view text, const SpellingRules& rules) {
    if (rules.lone_letters.empty()) return std::u16string(text);
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool letter_before = i > 0 && is_letter(text[i - 1]);
        const bool letter_after = i + 1 < text.size() && is_letter(text[i + 1]);
        const std::u16string_view* lone = letter_before || letter_after ? nullptr : lone_form(rules, c);
        if (lone) {
            result += *lone;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::u16string apply_spelling(std::u16string_view text, const SpellingRules& rules, const PronunciationTables& tables) {
    return apply_pronunciation_list(write_lone_letters(text, rules), tables.spelling);
}

}  // namespace vl
