#include "platform/app_data.h"

#include <windows.h>
#include <shlobj.h>

namespace vl {

std::filesystem::path application_data_folder() {
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    return folder;
}

}  // namespace vl
