// The 32-bit test executable is linked with --wrap=_imp__FlushFileBuffers@4:
// the code under test calls FlushFileBuffers through the pointer defined here.
#include "base/tests/fsync_spy.h"

#include <windows.h>

#include <mutex>

#include "base/file_io.h"

namespace vl::test {
namespace {

std::mutex lock;
std::vector<FlushedFile> flushes;

}  // namespace

std::vector<FlushedFile> flushed_files() {
    std::lock_guard guard(lock);
    return flushes;
}

#if defined(__i386__)
bool flushes_observed() { return true; }
#else
bool flushes_observed() { return false; }
#endif

}  // namespace vl::test

#if defined(__i386__)
using FlushFunction = BOOL(WINAPI*)(HANDLE);
extern "C" FlushFunction real_flush asm("___real__imp__FlushFileBuffers@4");

namespace {

BOOL WINAPI recording_flush(HANDLE file) {
    wchar_t name[MAX_PATH * 2];
    const DWORD length = GetFinalPathNameByHandleW(file, name, MAX_PATH * 2, FILE_NAME_NORMALIZED);
    if (length > 0 && length < MAX_PATH * 2) {
        std::wstring_view text(name, length);
        if (text.starts_with(L"\\\\?\\")) text.remove_prefix(4);
        const std::filesystem::path path(text);
        const std::string content = vl::read_file(path).value_or("");
        std::lock_guard guard(vl::test::lock);
        vl::test::flushes.push_back({path, content});
    }
    return real_flush(file);
}

}  // namespace

extern "C" FlushFunction wrapped_flush asm("___wrap__imp__FlushFileBuffers@4");
FlushFunction wrapped_flush = recording_flush;
#endif
