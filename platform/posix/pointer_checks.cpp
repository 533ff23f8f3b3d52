#include "platform/pointer_checks.h"

namespace vl {

bool readable_string(const char* text, size_t max_length) { return text != nullptr; }
bool readable_bytes(const void* data, size_t size) { return size == 0 || data != nullptr; }
bool writable_bytes(void* data, size_t size) { return size == 0 || data != nullptr; }

}  // namespace vl
