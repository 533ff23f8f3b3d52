// The configurer's UI test: starts vlconf.exe in several situations, drives
// its windows and checks what they show and what it writes.
// Usage: vlconf_gui_harness VLCONF_EXE [SCREENSHOT_FOLDER [--fit NAME]]
// With --fit, only checks that the window fits the screen at its scale.
#include <cstdio>
#include <string>

#include "configurer/win32/tests/harness.h"

int wmain(int argc, wchar_t** argv) {
    using namespace vl::gui_test;
    if (argc < 2) {
        std::printf("usage: vlconf_gui_harness VLCONF_EXE [SCREENSHOT_FOLDER]\n");
        return 2;
    }
    if (argc > 2) set_screenshot_folder(argv[2]);
    const Harness harness = harness_for(argv[1]);
    if (argc > 4 && std::wstring(argv[3]) == L"--fit") {
        check_window_fits(harness, argv[4]);
        std::printf("%d check(s) failed\n", failures());
        return failures() == 0 ? 0 : 1;
    }

    harness.fresh_data();
    Running running = start_program(harness, L"", true);
    if (running.main) {
        check(file_holds(harness.prefs(), L"sample_rate = 10000"), "the start-up apply wrote prefs.ini");
        check(file_holds(harness.user_dictionary(), L"слово сло+во"), "the start-up apply wrote ru_dict.dic");
        check_main_window(running);
        check_lists_and_dialogs(harness, running);
    }
    close_process(running.app);
    check_closing_and_instances(harness);
    check_ukrainian_word(harness);
    check_big_dictionary(harness);
    std::printf("%d check(s) failed\n", failures());
    return failures() == 0 ? 0 : 1;
}
