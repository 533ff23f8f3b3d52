#include "base/decimal.h"

#include <algorithm>
#include <limits>

namespace vl {

int32_t parse_decimal(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\v' || text[i] == u'\f')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (text[i] - u'0'));
    if (negative) return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min(magnitude, limit - 1));
}

}  // namespace vl
