#pragma once
// Zero runs are read as counts of zeros; number separators are adjusted.
#include <string>
#include <string_view>

namespace vl {

std::u16string prepare_numbers(std::u16string_view text, bool disable_decimal_separator);

}  // namespace vl
