#pragma once
// The value a bookmark fragment carries.
#include <cstdint>
#include <string_view>

namespace vl {

// The numeric value of a bookmark: decimal after optional blanks, tabs and
// sign; "$" reads hexadecimal and "%" binary; 0 when no number starts it.
uint32_t bookmark_value(std::u16string_view text);

}  // namespace vl
