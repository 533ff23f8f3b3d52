#include "platform/language_name.h"

namespace vl {

// The languages whose voices or dictionaries the package knows; Windows names the rest itself.
std::u16string language_english_name(uint32_t language_id) {
    switch (language_id & 0x3FF) {
        case 0x09: return u"English";
        case 0x19: return u"Russian";
        case 0x22: return u"Ukrainian";
        case 0x23: return u"Belarusian";
        default: return {};
    }
}

}  // namespace vl
