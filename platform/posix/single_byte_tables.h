#pragma once
// Windows' single-byte code pages as tables, for systems that lack them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

std::optional<std::u16string> table_to_wide(std::string_view text, int32_t code_page);
std::optional<std::string> table_from_wide(std::u16string_view text, int32_t code_page);

}  // namespace vl
