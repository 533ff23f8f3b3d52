#pragma once
// Windows code page 1251 (Cyrillic).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

// The character of a byte; nothing for 0x98, the one byte the code page leaves undefined.
std::optional<char16_t> cp1251_to_unicode(uint8_t byte);
// The byte of a character; nothing when the code page cannot encode it.
std::optional<uint8_t> unicode_to_cp1251(char16_t c);
// The text in code page 1251; a character it cannot encode becomes the fallback.
std::string to_cp1251(std::u16string_view text, char fallback);

// The text of a file written by a person, decided line by line (a line ends
// after LF): UTF-8 when the line's bytes are valid UTF-8, else code page 1251,
// in which such files were written before (the byte the
// code page leaves undefined becomes U+0098, as the system converter gives it).
// No byte is ever read as U+FFFD.
std::u16string utf8_or_cp1251_to_utf16(std::string_view bytes);

}  // namespace vl
