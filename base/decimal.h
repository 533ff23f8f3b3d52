#pragma once
// C-style decimal reading of a text, as the settings files hold numbers.
#include <cstdint>
#include <string_view>

namespace vl {

// Leading blanks, tabs, vertical tabs and form feeds skipped, an optional sign,
// digits up to the first other character; no digits read 0; a value beyond
// 32 bits saturates.
int32_t parse_decimal(std::u16string_view text);

}  // namespace vl
