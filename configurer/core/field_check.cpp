#include "configurer/core/field_check.h"

#include <algorithm>

#include "configurer/core/entry_storage.h"

namespace vl {
namespace {

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

FieldRule field_rule(ListKind kind, Field field) {
    if (field == Field::replacement) {
        return {kCyrillic, kind == ListKind::UserDictionaryList ? std::u16string_view(u"+=-") : u"+- "};
    }
    switch (kind) {
        case ListKind::LatinLetters:
        case ListKind::LatinCombinations: return {kLatin, {}};
        case ListKind::CyrillicLetters: return {kCyrillic, {}};
        case ListKind::Symbols: return {kNotAlphanumeric, {}};
        case ListKind::UserDictionaryList: return {kLatin | kCyrillic, {}};
    }
    return {kNotAlphanumeric, {}};
}

std::size_t field_error_position(ListKind kind, Field field, std::u16string_view text) {
    if (text.empty()) return 0;
    const FieldRule rule = field_rule(kind, field);
    return first_position(find_invalid_char(text, rule.classes, rule.extra), unstorable_position(kind, field, text));
}

}  // namespace vl
