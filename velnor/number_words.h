#pragma once
// Russian cardinal numbers as words, in code page 1251 with stress marks ("+"
// after the stressed vowel), for the engine to read digits aloud.
#include <string>
#include <string_view>

namespace vl::velnor {

// The longest digit run read as one number; longer runs are read digit by digit.
inline constexpr size_t kMaxNumberDigits = 12;

// Words of the number written by digits (only '0'..'9', 1..kMaxNumberDigits of
// them), separated by blanks. Leading zeros are read as "ноль" each.
std::string number_words(std::string_view digits);

}  // namespace vl::velnor
