#pragma once
// The synthesis engine's 8-bit text form.
#include <string>
#include <string_view>

namespace vl {

// Every character code page 1251 can encode becomes its 1251 byte, the
// ellipsis "…" becomes ".", and every other character (NUL included, which
// would end the engine's text early) becomes a blank.
std::string to_engine_charset(std::u16string_view text);

}  // namespace vl
