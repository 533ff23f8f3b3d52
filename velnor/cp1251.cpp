#include "velnor/cp1251.h"

namespace vl::velnor {

std::string utf8_to_cp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            continue;
        }
        if ((lead & 0xE0) != 0xC0 || i + 1 >= utf8.size()) {
            out += '?';
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
            continue;
        }
        const unsigned code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        if (code >= 0x410 && code <= 0x44F) out += static_cast<char>(code - 0x350);
        else if (code == 0x401) out += '\xA8';
        else if (code == 0x451) out += '\xB8';
        else out += '?';
    }
    return out;
}

}  // namespace vl::velnor
