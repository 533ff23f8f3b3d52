#include "engine/engine_charset.h"

#include "base/cp1251.h"

namespace vl {

std::string to_engine_charset(std::u16string_view text) {
    std::string result(text.size(), ' ');
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'…') {
            result[i] = '.';
        } else if (c != 0) {
            if (const auto byte = unicode_to_cp1251(c)) result[i] = static_cast<char>(*byte);
        }
    }
    return result;
}

}  // namespace vl
