#include "platform/module_folder.h"

#include <dlfcn.h>

namespace vl {

std::filesystem::path module_folder() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void*>(&module_folder), &info) || !info.dli_fname) return {};
    return std::filesystem::absolute(info.dli_fname).parent_path();
}

}  // namespace vl
