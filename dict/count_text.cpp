#include "dict/count_text.h"

namespace vl::dict {

namespace {

int digit_value(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < static_cast<int>(base) ? value : -1;
}

}  // namespace

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
        const int digit = digit_value(text[i], base);
        if (digit < 0) return std::nullopt;
        value = value * base + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace vl::dict
