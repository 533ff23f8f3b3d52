// Starting and ending: the second copy, closing with Yes, "-runaftersetup",
// and the missing documentation.
#include <windows.h>
#include <commctrl.h>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {

namespace {

void check_second_copy_and_close_yes(const Harness& harness) {
    Running running = start_program(harness, L"", false);
    if (!running.main) return;
    Launched second = launch(harness.program, L"");
    expect_box(second.id, shown(texts::kErrorTitle), shown(texts::kAnotherCopyRunning), IDOK);
    check(wait_exit(second, 5000) == 0, "the second copy ends");
    close_process(second);
    check(IsWindow(running.main), "the first copy keeps running");

    const HWND slider = GetDlgItem(running.main, ids::kSampleRateSlider);
    SendMessageW(slider, TBM_SETPOS, TRUE, 10500);
    SendMessageW(running.main, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 10500), reinterpret_cast<LPARAM>(slider));
    PostMessageW(running.main, WM_CLOSE, 0, 0);
    expect_box(running.app.id, shown(texts::kAttentionTitle), shown(texts::kUnappliedChangesQuestion), IDYES);
    expect_box(running.app.id, shown(texts::kSuccessTitle), shown(texts::kApplied), IDOK);
    check(wait_exit(running.app, 5000) == 0, "Yes applies and ends");
    check(file_holds(harness.prefs(), L"sample_rate = 10500"), "Yes wrote the new sample rate");
    close_process(running.app);
}

void check_run_after_setup(const Harness& harness) {
    const std::string before = read_file(harness.prefs());
    Launched quiet = launch(harness.program, L"-RunAfterSetup");
    check(wait_exit(quiet, 5000) == 0, "-runaftersetup with a settings file ends at once");
    check(wait_window(quiet.id, L"VelnorConfigurerMain", 0) == nullptr, "and shows no window");
    check(read_file(harness.prefs()) == before, "and writes nothing");
    close_process(quiet);

    harness.fresh_data();
    Running running = start_program(harness, L"-runaftersetup", true);
    check(file_holds(harness.prefs(), L"sample_rate = 10000"), "-runaftersetup on a first run writes the defaults");
    if (running.main) {
        PostMessageW(running.main, WM_CLOSE, 0, 0);
        check(wait_exit(running.app, 5000) == 0, "closing without changes asks nothing");
    }
    close_process(running.app);
}

// A copy of the program in a folder without docs\Russian.html.
void check_missing_documentation(const Harness& harness) {
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring folder = std::wstring(temporary) + L"vlconf_without_docs";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\vlconf.exe";
    CopyFileW(harness.program.c_str(), copy.c_str(), FALSE);
    Harness elsewhere = harness;
    elsewhere.program = copy;
    Running running = start_program(elsewhere, L"", false);
    if (running.main) {
        press_key(running.main, VK_F1);
        expect_box(running.app.id, shown(texts::kErrorTitle), shown(texts::kNoDocumentation), IDOK);
        PostMessageW(running.main, WM_CLOSE, 0, 0);
        check(wait_exit(running.app, 5000) == 0, "the program goes on and closes");
    }
    close_process(running.app);
}

}  // namespace

void check_closing_and_instances(const Harness& harness) {
    check_second_copy_and_close_yes(harness);
    check_run_after_setup(harness);
    check_missing_documentation(harness);
}

}  // namespace vl::gui_test
