// The menu probe DLL (see menu_probe.h): runs inside the program under test.
#include "configurer/win32/tests/menu_probe.h"

#include <windows.h>

#include <string>

using namespace vl::gui_test;

extern "C" __declspec(dllexport) LRESULT CALLBACK menu_probe_hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call.message == RegisterWindowMessageW(kMenuProbeMessage)) {
        const auto menu = reinterpret_cast<HMENU>(call.wParam);
        std::wstring texts;
        const int count = GetMenuItemCount(menu);
        for (int item = 0; item < count; ++item) {
            wchar_t text[256] = {};
            GetMenuStringW(menu, item, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
            texts += text;
            texts += L'\n';
        }
        if (const HANDLE memory = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kMenuProbeMemory)) {
            if (void* view = MapViewOfFile(memory, FILE_MAP_WRITE, 0, 0, 0)) {
                texts.resize(std::min<std::size_t>(texts.size(), kMenuProbeChars - 1));
                std::copy(texts.c_str(), texts.c_str() + texts.size() + 1, static_cast<wchar_t*>(view));
                UnmapViewOfFile(view);
            }
            CloseHandle(memory);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
