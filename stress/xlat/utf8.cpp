#include "stress/xlat/utf8.h"

namespace vl::xlat {

namespace {

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::optional<std::u16string> decode_utf8(std::string_view bytes) {
    std::u16string result;
    result.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        size_t continuations = 0;
        uint32_t unit = 0;
        if (lead < 0x80) {
            unit = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            continuations = 1;
            unit = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            continuations = 2;
            unit = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            // A character beyond one unit, which no 8-bit code page holds: one "?".
            continuations = 3;
        } else {
            return std::nullopt;  // a continuation byte in lead position, or 0xF8 and above
        }
        if (bytes.size() - i - 1 < continuations) return std::nullopt;
        for (size_t k = 1; k <= continuations; ++k) {
            const auto byte = static_cast<unsigned char>(bytes[i + k]);
            if (!is_continuation(byte)) return std::nullopt;
            unit = (unit << 6) | (byte & 0x3F);
        }
        result += continuations == 3 ? u'?' : static_cast<char16_t>(unit);
        i += 1 + continuations;
    }
    return result;
}

std::string encode_utf8(std::u16string_view text) {
    std::string result;
    result.reserve(text.size() * 3);
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            result += static_cast<char>(unit);
        } else if (unit < 0x800) {
            result += static_cast<char>(0xC0 | (unit >> 6));
            result += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            result += static_cast<char>(0xE0 | (unit >> 12));
            result += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return result;
}

}  // namespace vl::xlat
