// The configurer's first start after an installation, as the interactive
// installer makes it: starts VLCONF_EXE -runaftersetup for a user without
// settings, answers the welcome message, waits for the main window, checks
// that the default settings and the user dictionary were written, and closes
// the program. Prints what failed; exits 0 when everything held, else 1.
// Usage: vlconf_first_run VLCONF_EXE
#include <cstdio>

#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {
namespace {

// Closes the main window as the user would and waits for the program to end;
// a question about unapplied changes is answered No (nothing was changed).
void close_main_window(Running& running) {
    PostMessageW(running.main, WM_CLOSE, 0, 0);
    if (const HWND question = wait_message_box(running.app.id, 1000)) {
        check(false, "closing asked: " + narrow(box_text(question)));
        answer(question, IDNO);
    }
    check(wait_exit(running.app, 10000) == 0, "the configurer ends when its window is closed");
}

void check_first_run(const Harness& harness) {
    check(read_file(harness.prefs()).empty(), "no settings file before the first start");
    Running running = start_program(harness, L"-runaftersetup", true);
    if (!running.main) {
        // A message instead of the window: most likely a write failure.
        if (const HWND box = wait_message_box(running.app.id, 0)) {
            check(false, "message \"" + narrow(text_of(box)) + "\": " + narrow(box_text(box)));
            answer(box, IDOK);
        }
        close_process(running.app);
        return;
    }
    check(file_holds(harness.prefs(), L"[General]") && file_holds(harness.prefs(), L"sample_rate = 10000"),
          "prefs.ini holds the default settings");
    check(file_holds(harness.user_dictionary(), L"слово сло+во"), "ru_dict.dic holds the default dictionary");
    close_main_window(running);
    close_process(running.app);  // ends it should it still run
}

}  // namespace
}  // namespace vl::gui_test

int wmain(int argc, wchar_t** argv) {
    using namespace vl::gui_test;
    if (argc != 2) {
        std::printf("usage: vlconf_first_run VLCONF_EXE\n");
        return 2;
    }
    check_first_run(harness_for(argv[1]));
    std::printf("vlconf_first_run: %s\n", failures() == 0 ? "passed" : "FAILED");
    return failures() == 0 ? 0 : 1;
}
