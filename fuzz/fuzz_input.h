#pragma once
// Shared by the text-stage fuzz targets: the input as UTF-16 text.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vl::fuzz {

// Every rewrite entry may multiply the length of the text ("a" -> "aa" doubles
// it), so lists taken from fuzz input are kept this short.
inline constexpr size_t kMaxRewrites = 6;

inline std::u16string utf16_units(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text;
}

}  // namespace vl::fuzz
