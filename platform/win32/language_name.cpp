#include "platform/language_name.h"

#include <windows.h>

namespace vl {

std::u16string language_english_name(uint32_t language_id) {
    wchar_t name[128];
    const int length = GetLocaleInfoW(language_id, LOCALE_SENGLANGUAGE, name, 128);
    if (length <= 1) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(name), length - 1);
}

}  // namespace vl
