#pragma once
// The voice engine's COM class, kept as its text.
#include <windows.h>

namespace vl::sapi {

inline constexpr const wchar_t* kVoiceClassIdText = L"{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}";

inline CLSID voice_class_id() {
    CLSID id{};
    CLSIDFromString(kVoiceClassIdText, &id);
    return id;
}

}  // namespace vl::sapi
