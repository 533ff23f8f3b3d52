#include "stress/tests/load_library.h"

#include <dlfcn.h>

namespace vl::dict::test {

void* library_function(const char* library, const char* name) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    return handle ? dlsym(handle, name) : nullptr;
}

}  // namespace vl::dict::test
