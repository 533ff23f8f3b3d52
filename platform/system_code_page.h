#pragma once
// Conversion through the operating system's code pages (flags 0, the converter's own
// default character). On Windows its own converters; elsewhere tables taken from
// them for the code pages callers use (866, 1250, 1251, 1252, 20866, 28595; the
// system code page 0 stands for 1251 there).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

// Nothing when the code page is unknown or the result would be empty.
std::optional<std::u16string> system_to_wide(std::string_view text, int32_t code_page);
std::optional<std::string> system_from_wide(std::u16string_view text, int32_t code_page);

}  // namespace vl
