#pragma once
// Conversion between UTF-8 and UTF-16.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vl {

// The two halves of a surrogate pair.
inline bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Malformed sequences become U+FFFD, one per offending byte.
std::u16string utf8_to_utf16(std::string_view text);
// An unpaired surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);
// The 1-based position of the first unpaired surrogate, 0 when there is none
// (the text then converts to UTF-8 and back unchanged).
std::size_t unpaired_surrogate_position(std::u16string_view text);
// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool is_valid_utf8(std::string_view text);

// A file path from its UTF-8 name, and back, on every platform.
std::filesystem::path utf8_path(std::string_view name);
std::string path_utf8(const std::filesystem::path& path);

}  // namespace vl
