#pragma once
// The synthesis library's optional phone export (ordinal 21): bound by ordinal
// on Windows, so that a velnor.dll without it still loads; linked natively.
#include <optional>
#include <string>

namespace vl {

// The phones the library would speak for a text in its 8-bit form; nothing
// when the library does not export them.
std::optional<std::string> library_phones(const std::string& engine_text);

}  // namespace vl
