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
    return system_from_wide(application_data_folder().u16string(), CP_ACP).value_or(std::string()) +
           "\\" + std::string(kDataFolderName) + "\\" + std::string(kDatabaseFileName);
}

std::string ansi_path_to_utf8(std::string_view path) {
    return utf16_to_utf8(system_to_wide(path, CP_ACP).value_or(std::u16string()));
}

}  // namespace vl
