#pragma once
// The one lower-case mapping of the project: Unicode's simple mapping for the
// Basic Multilingual Plane, the same on every platform (no locale involved).
#include <string>
#include <string_view>

namespace vl {

char16_t to_lower(char16_t c);
std::u16string to_lower(std::u16string_view text);

}  // namespace vl
