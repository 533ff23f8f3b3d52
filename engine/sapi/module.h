#pragma once
// What the library keeps for its whole life: its module handle, the count of
// live objects and locks that keeps it loaded, and its class identifier.
#include <windows.h>

namespace vl::sapi {

inline constexpr const wchar_t* kVoiceClassIdText = L"{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}";

// The voice engine class, converted from its text.
CLSID voice_class_id();

HMODULE module_handle();
void set_module_handle(HMODULE module);

// Engine objects, class factories and server locks each hold one count.
void add_object_count();
void remove_object_count();
bool objects_alive();

}  // namespace vl::sapi
