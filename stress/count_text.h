#pragma once
// The number syntax of count records.
#include <cstdint>
#include <optional>
#include <string_view>

namespace vl::dict {

// Leading spaces, an optional sign, then decimal digits, or hexadecimal ones after
// "$", "0x" or "0X"; nothing may follow. Only the low 32 bits of the value count.
std::optional<int32_t> parse_count_text(std::string_view text);

}  // namespace vl::dict
