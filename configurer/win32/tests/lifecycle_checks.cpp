// Starting and ending: the second copy, closing with Yes, "-runaftersetup",
// and the missing documentation.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"
#include "store/file_io.h"

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

// The user's dictionaries as they find them: dict.dic edited by hand (the guide
// names it the voices' dictionary) and ru_dict.dic saved by an old editor in
// code page 1251. Starting and closing the program must keep every entry,
// readable, in both files.
void check_start_keeps_dictionaries(const Harness& harness) {
    harness.fresh_data();
    const std::wstring russian = harness.data_folder + L"\\dicts\\Russian";
    CreateDirectoryW((harness.data_folder + L"\\dicts").c_str(), nullptr);
    CreateDirectoryW(russian.c_str(), nullptr);
    vl::write_file_atomic(std::filesystem::path(harness.prefs()), "[General]\r\nuse_dictionary = 2\r\n");
    vl::write_file_atomic(std::filesystem::path(russian + L"\\dict.dic"), "велнор ве+лнор\nкот ко+т\n");
    // "ёлка ё+лка" and "ґанок ґа+нок" in code page 1251.
    vl::write_file_atomic(std::filesystem::path(harness.user_dictionary()),
                          "\xB8\xEB\xEA\xE0 \xB8+\xEB\xEA\xE0\r\n\xB4\xE0\xED\xEE\xEA \xB4\xE0+\xED\xEE\xEA");
    Running running = start_program(harness, L"", false);
    if (running.main) {
        PostMessageW(running.main, WM_CLOSE, 0, 0);
        check(wait_exit(running.app, 5000) == 0, "closing after a mere start asks nothing");
    }
    close_process(running.app);
    for (const std::wstring& file : {harness.user_dictionary(), russian + L"\\dict.dic"}) {
        for (const wchar_t* entry : {L"велнор ве+лнор", L"кот ко+т", L"ёлка ё+лка", L"ґанок ґа+нок"}) {
            check(file_holds(file, entry), narrow(file) + " still holds " + narrow(entry));
        }
        check(!file_holds(file, L"\uFFFD"), narrow(file) + " holds no replacement character");
    }
}

}  // namespace

void check_closing_and_instances(const Harness& harness) {
    check_start_keeps_dictionaries(harness);
    check_second_copy_and_close_yes(harness);
    check_run_after_setup(harness);
    check_missing_documentation(harness);
}

}  // namespace vl::gui_test
