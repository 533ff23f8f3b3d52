#include "platform/pointer_checks.h"

#include <windows.h>

namespace vl {

bool readable_string(const char* text, size_t max_length) { return !IsBadStringPtrA(text, max_length); }
bool readable_bytes(const void* data, size_t size) { return size == 0 || !IsBadReadPtr(data, size); }
bool writable_bytes(void* data, size_t size) { return size == 0 || !IsBadWritePtr(data, size); }

}  // namespace vl
