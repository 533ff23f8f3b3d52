#pragma once
// A program's arguments as UTF-8 on every platform, and binary standard streams.
#include <string>
#include <vector>

namespace vl {

// Defined by the program: its main with UTF-8 arguments (without the program name).
int utf8_main(const std::vector<std::string>& args);

}  // namespace vl

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "base/utf.h"

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(vl::utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(argv[i]))));
    }
    return vl::utf8_main(args);
}
#else
int main(int argc, char** argv) { return vl::utf8_main(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
