#include "platform/database_location.h"

#include "base/utf.h"
#include "contract/data_layout.h"
#include "platform/system_code_page.h"
#include "platform/app_data.h"

#include <windows.h>

#include <algorithm>

namespace vl {

std::string registry_database_path() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDatabaseRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::u16string value;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, L"db", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
        size > 0) {
        value.resize(size / sizeof(char16_t) + 1);
        if (RegQueryValueExW(key, L"db", nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            value.resize(std::min<size_t>(size / sizeof(char16_t), value.size()));
            value.resize(std::min(value.size(), value.find(u'\0')));
        } else {
            value.clear();
        }
    }
    RegCloseKey(key);
    return utf16_to_utf8(value);
}

std::string default_database_path() {
    return utf16_to_utf8(application_data_folder().u16string()) + "\\" + std::string(kDataFolderName) + "\\" +
           std::string(kDatabaseFileName);
}

std::string ansi_path_to_utf8(std::string_view path) {
    return utf16_to_utf8(system_to_wide(path, CP_ACP).value_or(std::u16string()));
}

}  // namespace vl
