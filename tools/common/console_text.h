#pragma once
// Text for the user on standard output or standard error: UTF-8 bytes to a
// file or a pipe; on Windows, to a console as UTF-16 through WriteConsoleW, so
// that Russian text reads right whatever the console's code page.
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string_view>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>

#include "base/utf.h"
#endif

namespace vl {

// False when the text could not be written whole.
inline bool write_text(std::FILE* stream, std::string_view utf8) {
#if defined(_WIN32)
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        const std::u16string wide = utf8_to_utf16(utf8);
        // In slices, which older consoles need; a slice never parts a surrogate pair.
        constexpr size_t kSlice = 8192;
        for (size_t at = 0; at < wide.size();) {
            size_t count = std::min(wide.size() - at, kSlice);
            if (at + count < wide.size() && wide[at + count - 1] >= 0xD800 && wide[at + count - 1] <= 0xDBFF) --count;
            DWORD written = 0;
            if (!WriteConsoleW(handle, wide.data() + at, static_cast<DWORD>(count), &written, nullptr) || written == 0)
                return false;
            at += written;
        }
        return true;
    }
#endif
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

// Standard output, written at once; throws std::runtime_error when the text
// cannot be written whole.
inline void print(std::string_view utf8) {
    if (!write_text(stdout, utf8) || std::fflush(stdout) != 0) throw std::runtime_error("cannot write standard output");
}

}  // namespace vl
