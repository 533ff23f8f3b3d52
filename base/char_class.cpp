#include "base/char_class.h"

#include <array>
#include <cstdint>

namespace vl {
namespace {

// Classes are looked up in one flag table covering ASCII and U+0400..U+047F,
// the only ranges where vowels, consonants and cased letters lie.
enum Flag : uint8_t { kUpper = 1, kLower = 2, kVowel = 4, kConsonant = 8 };
constexpr char16_t kCyrillicStart = 0x400;
constexpr size_t kAsciiSize = 0x80;
constexpr size_t kTableSize = kAsciiSize + 0x80;

constexpr int slot(char16_t c) {
    if (c < kAsciiSize) return c;
    if (c >= kCyrillicStart && c < kCyrillicStart + 0x80) return kAsciiSize + (c - kCyrillicStart);
    return -1;
}

constexpr void mark(std::array<uint8_t, kTableSize>& table, std::u16string_view members, Flag flag) {
    for (char16_t c : members) table[slot(c)] |= flag;
}

constexpr auto kFlags = [] {
    std::array<uint8_t, kTableSize> table{};
    mark(table, u"ABCDEFGHIJKLMNOPQRSTUVWXYZАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁ", kUpper);
    mark(table, u"abcdefghijklmnopqrstuvwxyzабвгдежзийклмнопрстуфхцчшщъыьэюяё", kLower);
    mark(table, u"AEIOUYaeiouyАЕЁИОУЫЭЮЯаеёиоуыэюяЇєіїЄІ", kVowel);
    mark(table,
         u"bBcCdDfFgGhHjJkKlLmMnNpPqQrRsStTvVwWxXzZ"
         u"бБвВгГдДжЖзЗкКлЛмМнНпПрРсСтТфФхХцЦчЧшШщЩ",
         kConsonant);
    return table;
}();

bool has(char16_t c, Flag flag) {
    const int index = slot(c);
    return index >= 0 && (kFlags[index] & flag) != 0;
}

}  // namespace

bool is_upper_letter(char16_t c) { return has(c, kUpper); }
bool is_lower_letter(char16_t c) { return has(c, kLower); }
bool is_vowel(char16_t c) { return has(c, kVowel); }
bool is_consonant(char16_t c) { return has(c, kConsonant); }

}  // namespace vl
