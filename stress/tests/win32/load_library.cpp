#include "stress/tests/load_library.h"

#include <windows.h>

namespace vl::dict::test {

void* library_function(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

}  // namespace vl::dict::test
