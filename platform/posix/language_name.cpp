#include "platform/language_name.h"

#include "contract/languages.h"

namespace vl {

// The languages the package has voices for, by their primary language; Windows names the rest itself.
std::u16string language_english_name(uint32_t language_id) {
    for (const Language& language : kLanguages) {
        if ((language.id & 0x3FF) == (language_id & 0x3FF)) return std::u16string(language.folder);
    }
    return {};
}

}  // namespace vl
