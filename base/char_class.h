#pragma once
// Character classes of text preparation. A character is one UTF-16 code unit.
#include <string_view>

namespace vl {

enum class Script { none = 0, latin = 1, cyrillic = 2 };

// Latin for A..Z and a..z, Cyrillic for U+0400..U+052F, none otherwise.
inline Script letter_script(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return Script::latin;
    if (c >= 0x400 && c <= 0x52F) return Script::cyrillic;
    return Script::none;
}
inline bool is_letter(char16_t c) { return letter_script(c) != Script::none; }
// A..Z, А..Я and Ё only (not the Ukrainian capitals Є, І, Ї, Ґ).
bool is_upper_letter(char16_t c);
// a..z, а..я and ё only.
bool is_lower_letter(char16_t c);
inline bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
// The value of a hexadecimal digit in either case; -1 for any other character.
inline int hex_digit_value(char16_t c) {
    if (is_digit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}
// Latin and Russian vowels in both cases (Y counts), and Ї, ї, Є, є, І, і.
bool is_vowel(char16_t c);
// The 20 Latin and 20 Russian consonants in both cases (not й, ъ, ь, ґ).
bool is_consonant(char16_t c);

// True when the word is not empty and every character satisfies the predicate.
template <typename Predicate>
bool all_characters(std::u16string_view word, Predicate predicate) {
    if (word.empty()) return false;
    for (char16_t c : word) {
        if (!predicate(c)) return false;
    }
    return true;
}

}  // namespace vl
