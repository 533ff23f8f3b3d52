#pragma once
// Character classes of stress lookup over code page 1251 bytes: Russian and
// Ukrainian letters, the vowels after which a mark belongs to the word, and case
// lowering. Every other byte separates words.
#include <array>
#include <cstdint>

namespace vl::dict {

namespace detail {

enum : uint8_t { kLetter = 1, kVowel = 2 };

constexpr std::array<uint8_t, 256> make_classes() {
    std::array<uint8_t, 256> classes{};
    for (int b = 0xC0; b <= 0xFF; ++b) classes[b] = kLetter;
    for (int b : {0xA8, 0xB8, 0xA5, 0xB4, 0xAA, 0xBA, 0xB2, 0xB3, 0xAF, 0xBF}) classes[b] = kLetter;
    // А Е И О У Ы Э Ю Я, а е и о у ы э ю я, Ё ё Є є Ї ї І і
    for (int b : {0xC0, 0xC5, 0xC8, 0xCE, 0xD3, 0xDB, 0xDD, 0xDE, 0xDF, 0xE0, 0xE5, 0xE8, 0xEE, 0xF3, 0xFB, 0xFD,
                  0xFE, 0xFF, 0xA8, 0xB8, 0xAA, 0xBA, 0xAF, 0xBF, 0xB2, 0xB3})
        classes[b] |= kVowel;
    return classes;
}

constexpr std::array<uint8_t, 256> make_lower() {
    std::array<uint8_t, 256> lower{};
    for (int b = 0; b < 256; ++b) lower[b] = static_cast<uint8_t>(b);
    for (int b = 0xC0; b <= 0xDF; ++b) lower[b] = static_cast<uint8_t>(b + 0x20);
    lower[0xA8] = 0xB8;  // Ё
    lower[0xA5] = 0xB4;  // Ґ
    lower[0xAA] = 0xBA;  // Є
    lower[0xB2] = 0xB3;  // І
    lower[0xAF] = 0xBF;  // Ї
    return lower;
}

inline constexpr std::array<uint8_t, 256> kClasses = make_classes();
inline constexpr std::array<uint8_t, 256> kLower = make_lower();

}  // namespace detail

inline bool is_stress_letter(char c) { return detail::kClasses[static_cast<uint8_t>(c)] & detail::kLetter; }
inline bool is_stress_vowel(char c) { return detail::kClasses[static_cast<uint8_t>(c)] & detail::kVowel; }
// Apostrophe, plus and equals sign: part of a word when they follow a vowel.
inline bool is_in_word_mark(char c) { return c == '\'' || c == '+' || c == '='; }
// Lower case of a letter; ё stays ё.
inline char lower_stress_letter(char c) { return static_cast<char>(detail::kLower[static_cast<uint8_t>(c)]); }

}  // namespace vl::dict
