#pragma once
// The voice's phones: the set its recordings were labelled with. A phone is its
// index in kPhoneNames; pau (silence) is 0. Stressed vowels are the doubled
// letters (aa, oo, ...); a, e, i, y, u are first-level reductions; ae, ay, ur
// second-level ones. Doubled consonants are the soft ones (tt, ss, ...).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velnor {

using PhoneId = uint8_t;

inline constexpr std::array<std::string_view, 51> kPhoneNames = {
    "pau",
    "ii", "yy", "uu", "ee", "oo", "aa",  // stressed vowels
    "a", "e", "i", "y", "u",             // first-level reduction
    "ae", "ay", "ur",                    // second-level reduction
    "p", "pp", "b", "bb", "t", "tt", "d", "dd", "k", "kk", "g", "gg",
    "c", "ch", "f", "ff", "v", "vv", "s", "ss", "z", "zz",
    "sh", "sch", "zh", "h", "hh", "m", "mm", "n", "nn", "l", "ll", "r", "rr", "j",
};

inline constexpr PhoneId kPause = 0;

constexpr std::optional<PhoneId> phone_by_name(std::string_view name) {
    for (size_t i = 0; i < kPhoneNames.size(); ++i)
        if (kPhoneNames[i] == name) return static_cast<PhoneId>(i);
    return std::nullopt;
}

constexpr bool is_vowel(PhoneId p) { return p >= 1 && p <= 14; }
constexpr bool is_stressed_vowel(PhoneId p) { return p >= 1 && p <= 6; }

}  // namespace velnor
