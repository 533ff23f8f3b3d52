#include "dict/database_location.h"

#include "base/utf.h"
#include "platform/app_data.h"

#include <windows.h>

#include <algorithm>

namespace vl::dict {

namespace {

std::string wide_to_ansi(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                            nullptr);
    return result;
}

}  // namespace

std::string registry_database_path() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORT for Windows\\dict.dll", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    std::string result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, "db", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
        size > 0) {
        std::string value(size, '\0');
        if (RegQueryValueExA(key, "db", nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            value.resize(std::min<size_t>(size, value.size()));
            result = value.substr(0, value.find('\0'));
        }
    }
    RegCloseKey(key);
    return result;
}

std::string default_database_path() {
    return wide_to_ansi(application_data_folder().wstring()) + "\\VelnorSAPI\\dict.dat";
}

std::string ansi_path_to_utf8(std::string_view path) {
    if (path.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (size <= 0) return {};
    std::u16string wide(size, u'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                        reinterpret_cast<wchar_t*>(wide.data()), size);
    return utf16_to_utf8(wide);
}

}  // namespace vl::dict
