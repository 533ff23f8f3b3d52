#include "tools/vlsay/library_phones.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include "velnor/include/velnor_api.h"

namespace vl {
namespace {

using TextPhones = int32_t(VELNOR_CALL*)(const char* text, char* out, int32_t size);

TextPhones text_phones() {
#if defined(_WIN32)
    const HMODULE library = GetModuleHandleW(L"velnor.dll");
    if (library == nullptr) return nullptr;
    return reinterpret_cast<TextPhones>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(21))));
#else
    return synth_text_phones;
#endif
}

}  // namespace

std::optional<std::string> library_phones(const std::string& engine_text) {
    const TextPhones phones_of = text_phones();
    if (phones_of == nullptr) return std::nullopt;
    std::string phones(256, '\0');
    for (;;) {
        const int32_t length = phones_of(engine_text.c_str(), phones.data(), static_cast<int32_t>(phones.size()));
        if (length < 0) return std::nullopt;
        if (static_cast<size_t>(length) < phones.size()) {
            phones.resize(static_cast<size_t>(length));
            return phones;
        }
        phones.assign(static_cast<size_t>(length) + 1, '\0');
    }
}

}  // namespace vl
