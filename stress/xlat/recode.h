#pragma once
// Conversion of 8-bit text between code pages by way of UTF-16. Code page 65001 is
// UTF-8 (the library's own codec), any other value of 0 or more a system code page,
// and a negative value -N the custom code table N. Failures give empty text.
#include <cstdint>
#include <string>
#include <string_view>

namespace vl::xlat {

inline constexpr int32_t kUtf8CodePage = 65001;

// In place; empty text and equal code pages leave it untouched.
void recode_text(std::string& text, int32_t from_code_page, int32_t to_code_page);

std::u16string text_to_wide(std::string_view text, int32_t code_page);
std::string wide_to_text(std::u16string_view text, int32_t code_page);

}  // namespace vl::xlat
