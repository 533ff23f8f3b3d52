#include "stress/count_text.h"

#include "base/char_class.h"

namespace vl::dict {

std::optional<int32_t> parse_count_text(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    uint32_t value = 0;  // wraps: only the low 32 bits are kept
    for (; i < text.size(); ++i) {
        const int digit = hex_digit_value(static_cast<unsigned char>(text[i]));
        if (digit < 0 || digit >= static_cast<int>(base)) return std::nullopt;
        value = value * base + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace vl::dict
