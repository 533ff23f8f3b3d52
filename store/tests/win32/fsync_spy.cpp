// The 32-bit test executable is linked with --wrap=_imp__FlushFileBuffers@4:
// the code under test calls FlushFileBuffers through the pointer defined here.
#include "store/tests/fsync_spy.h"

#include <windows.h>

namespace vl::test {

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
        vl::test::record_flush(std::filesystem::path(text));
    }
    return real_flush(file);
}

}  // namespace

extern "C" FlushFunction wrapped_flush asm("___wrap__imp__FlushFileBuffers@4");
FlushFunction wrapped_flush = recording_flush;
#endif
