// vlreload: tells every running engine to reload its settings and user
// dictionary, as the configurer does after applying. For people who edit
// prefs.ini or a dictionary by hand, and for tests.
//
// Usage: vlreload [--name MUTEX_NAME]
// Returns once every engine that found the signal has finished its reload.
#include <cstdio>
#include <string_view>

#include "base/utf.h"
#include "platform/reload_signal.h"

constexpr const char* kUsage = "usage: vlreload [--name MUTEX_NAME]";

int main(int argc, char** argv) {
    std::u16string name(vl::reload_mutex_name);
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--name" && i + 1 < argc) {
            name = vl::utf8_to_utf16(argv[++i]);
        } else if (argument == "--help") {
            std::printf("%s\n%s\n", kUsage,
                        "Tells every running engine to reload its settings and user dictionary.");
            return 0;
        } else {
            std::fprintf(stderr, "%s\n", kUsage);
            return 2;
        }
    }
    if (!vl::signal_engines(name)) {
        std::fprintf(stderr, "vlreload: cannot create the reload signal\n");
        return 1;
    }
    return 0;
}
