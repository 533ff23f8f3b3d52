#pragma once
// Checks of the caller's pointers before they are used. On Windows they ask the
// system whether the memory is accessible; elsewhere only null pointers fail.
#include <cstddef>

namespace vl {

// The characters up to the terminator, or the first max_length of them, are readable.
bool readable_string(const char* text, size_t max_length);
// size bytes at data are readable (always true for size 0).
bool readable_bytes(const void* data, size_t size);
// size bytes at data are writable (always true for size 0).
bool writable_bytes(void* data, size_t size);

}  // namespace vl
