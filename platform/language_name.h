#pragma once
// The English name of a language, as the system gives it ("Russian" for 0x419).
#include <cstdint>
#include <string>

namespace vl {

// Empty when the system knows no such language.
std::u16string language_english_name(uint32_t language_id);

}  // namespace vl
