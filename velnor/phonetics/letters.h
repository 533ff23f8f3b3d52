#pragma once
// Letters of the text in code page 1251, and Russian spellings written in the
// source as UTF-8 turned into code page 1251 at compile time.
#include <cstdint>
#include <string>
#include <string_view>

namespace velnor {

// A short spelling in code page 1251.
struct Cp1251 {
    char bytes[32] = {};
    uint8_t size = 0;
    constexpr std::string_view view() const { return {bytes, size}; }
};

// Converts UTF-8 text of ASCII characters and the lower-case Russian letters.
consteval Cp1251 cp1251(std::string_view utf8) {
    Cp1251 out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<uint8_t>(utf8[i]);
        uint8_t byte = c;
        if (c == 0xD0 || c == 0xD1) {
            const auto next = static_cast<uint8_t>(utf8[++i]);
            const unsigned code = ((c & 0x1Fu) << 6) | (next & 0x3Fu);  // U+0430..U+044F, U+0451
            if (code == 0x451) byte = 0xB8;
            else if (code >= 0x430 && code <= 0x44F) byte = static_cast<uint8_t>(code - 0x430 + 0xE0);
            else throw "not a lower-case Russian letter";
        } else if (c >= 0x80) {
            throw "not a lower-case Russian letter";
        }
        if (out.size == sizeof out.bytes) throw "too long";
        out.bytes[out.size++] = static_cast<char>(byte);
    }
    return out;
}

consteval uint8_t cp1251_letter(std::string_view utf8) { return static_cast<uint8_t>(cp1251(utf8).bytes[0]); }

// True for the bytes a word is made of: letters (Russian, the Ukrainian і ї є ґ, Latin).
bool is_letter(uint8_t byte);

// Appends the lower-case Russian letters (code page 1251) that a letter is read
// as: Ukrainian and Latin letters by their nearest Russian sounds.
void append_russian(uint8_t letter, std::string& out);

constexpr bool is_russian_vowel(uint8_t letter) {
    constexpr Cp1251 kVowels = cp1251("аеёиоуыэюя");
    return kVowels.view().find(static_cast<char>(letter)) != std::string_view::npos;
}

}  // namespace velnor
