#include "engine/engine_charset.h"

#include "base/cp1251.h"

namespace vl {

std::string to_engine_charset(std::u16string_view text) {
    std::string result = to_cp1251(text, ' ');
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'…') result[i] = '.';
        else if (text[i] == 0) result[i] = ' ';
    }
    return result;
}

}  // namespace vl
