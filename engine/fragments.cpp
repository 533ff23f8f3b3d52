#include "engine/fragments.h"

#include "base/char_class.h"

namespace vl {

uint32_t bookmark_value(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'%')) base = text[i++] == u'$' ? 16 : 2;
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex_digit_value(text[i]);
        if (digit < 0 || digit >= base) break;
        value = value * base + static_cast<uint32_t>(digit);
    }
    return negative ? 0u - value : value;
}

}  // namespace vl
