#include "platform/file_sync.h"

#include <windows.h>

namespace vl {

bool flush_to_disk(const std::filesystem::path& file) {
    // Flushing needs a handle with write access; the content is not touched.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed;
}

}  // namespace vl
