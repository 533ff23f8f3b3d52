// Self-registration of the voice engine class under HKEY_CLASSES_ROOT.
#include <string>

#include "sapi/com/class_id.h"
#include "sapi/com/com_object.h"
#include "sapi/com/module.h"

using namespace vl::sapi;

namespace {

constexpr HRESULT kNoModulePath = static_cast<HRESULT>(0x80009E41);

std::wstring class_key() { return std::wstring(L"CLSID\\") + kVoiceClassIdText; }
std::wstring server_key() { return class_key() + L"\\InProcServer32"; }

void report(const wchar_t* text) { MessageBoxW(nullptr, text, L"Error", MB_OK | MB_ICONERROR); }

// Sets REG_SZ values (null name: the default value) of a key it creates or
// opens; each failure is reported and the rest goes on.
void write_values(const std::wstring& key_name, std::initializer_list<std::pair<const wchar_t*, std::wstring>> values) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key_name.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        report(L"Unable to create/open a registry key");
        return;
    }
    for (const auto& [name, value] : values) {
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        if (RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) !=
            ERROR_SUCCESS) {
            report(L"Unable to set a registry value");
        }
    }
    RegCloseKey(key);
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return guarded([]() -> HRESULT {
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(module_handle(), path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return kNoModulePath;
        write_values(class_key(), {{nullptr, L"Velnor_SAPI"}});
        write_values(server_key(), {{nullptr, path}, {L"ThreadingModel", L"Both"}});
        return S_OK;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return guarded([]() -> HRESULT {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, server_key().c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, class_key().c_str());
        return S_OK;
    });
}
