#pragma once
// Code page 1251 helpers for the engine's 8-bit text.
#include <string>
#include <string_view>

namespace vl::velnor {

// Converts UTF-8 text of ASCII and Russian letters (А..я, Ё, ё) to code page
// 1251; any other character becomes '?'.
std::string utf8_to_cp1251(std::string_view utf8);

}  // namespace vl::velnor
