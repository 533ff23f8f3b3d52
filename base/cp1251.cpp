#include "base/cp1251.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/utf.h"

namespace vl {
namespace {

constexpr char16_t kUndefined = 0xFFFF;

// Bytes 0x80..0xBF; 0xC0..0xFF are А..я.
constexpr char16_t kHighHalf[0x40] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    kUndefined, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// The high half sorted by character, for the reverse lookup.
constexpr auto kReverse = [] {
    std::array<std::pair<char16_t, uint8_t>, 0x40> pairs{};
    for (int i = 0; i < 0x40; ++i) pairs[i] = {kHighHalf[i], static_cast<uint8_t>(0x80 + i)};
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}();

}  // namespace

std::optional<char16_t> cp1251_to_unicode(uint8_t byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return static_cast<char16_t>(0x410 + (byte - 0xC0));
    const char16_t c = kHighHalf[byte - 0x80];
    if (c == kUndefined) return std::nullopt;
    return c;
}

std::optional<uint8_t> unicode_to_cp1251(char16_t c) {
    if (c < 0x80) return static_cast<uint8_t>(c);
    if (c >= 0x410 && c <= 0x44F) return static_cast<uint8_t>(c - 0x410 + 0xC0);
    const auto found = std::lower_bound(kReverse.begin(), kReverse.end(), std::pair<char16_t, uint8_t>{c, 0});
    if (found == kReverse.end() || found->first != c) return std::nullopt;
    return found->second;
}

std::string to_cp1251(std::u16string_view text, char fallback) {
    std::string result(text.size(), fallback);
    for (size_t i = 0; i < text.size(); ++i) {
        if (const auto byte = unicode_to_cp1251(text[i])) result[i] = static_cast<char>(*byte);
    }
    return result;
}

std::u16string utf8_or_cp1251_to_utf16(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    // Decided line by line: a file of UTF-8 lines with one line appended in
    // code page 1251 keeps every UTF-8 word.
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end + 1);
        bytes.remove_prefix(line.size());
        if (is_valid_utf8(line)) {
            text += utf8_to_utf16(line);
            continue;
        }
        for (const char c : line) {
            const auto byte = static_cast<uint8_t>(c);
            text += cp1251_to_unicode(byte).value_or(byte);
        }
    }
    return text;
}

}  // namespace vl
