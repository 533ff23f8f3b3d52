#pragma once
// A hook DLL the UI test loads into the program under test: menus are objects
// of their own process, so their item texts are read there.
namespace vl::gui_test {

// Sent to a popup menu window (wParam: its HMENU); the hook answers by writing
// the item texts, one per line, into the shared memory below.
inline constexpr wchar_t kMenuProbeMessage[] = L"VelnorMenuProbe";
inline constexpr wchar_t kMenuProbeMemory[] = L"VelnorMenuProbeTexts";
inline constexpr unsigned kMenuProbeChars = 2048;
// The DLL's WH_CALLWNDPROC hook procedure.
inline constexpr char kMenuProbeHook[] = "menu_probe_hook";

}  // namespace vl::gui_test
