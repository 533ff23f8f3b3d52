// A user dictionary of 50,000 words: the window comes up with it, and after an
// edit it answers again at once (it used to refill every row on each change,
// for minutes).
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"
#include "store/file_io.h"

namespace vl::gui_test {

namespace {

constexpr int kWords = 50000;
// Far above what either takes on a busy machine, far below a refill of every row.
constexpr int kStartBoundMs = 120000;
constexpr std::chrono::milliseconds kEditBound{30000};

// A word of letters only (the dialog refuses digits): "слово" and the number in letters.
std::string word(int number) {
    static const char* const kDigits[] = {"а", "б", "в", "г", "д", "е", "ж", "з", "и", "к"};
    std::string text = "слово";
    for (const char digit : std::to_string(number)) text += kDigits[digit - '0'];
    return text;
}

std::string dictionary_bytes() {
    std::string bytes = "\xEF\xBB\xBF";
    for (int i = 0; i < kWords; ++i) bytes += word(i) + " сло+во\r\n";
    return bytes;
}

long long milliseconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

void check_big_dictionary(const Harness& harness) {
    harness.fresh_data();
    const std::filesystem::path data(harness.data_folder);
    const std::string bytes = dictionary_bytes();
    std::filesystem::create_directories(data / "dicts" / "Russian");
    check(write_file_atomic(data / "prefs.ini", "[General]\r\nuse_dictionary = 2\r\n") &&
              write_file_atomic(data / "ru_dict.dic", bytes) &&
              write_file_atomic(data / "dicts" / "Russian" / "dict.dic", bytes),
          "a 50,000-word dictionary prepared");

    const auto launched = std::chrono::steady_clock::now();
    Running running;
    running.app = launch(harness.program, L"");
    running.main = wait_window(running.app.id, L"VelnorConfigurerMain", kStartBoundMs);
    check(running.main != nullptr, "the window comes up with 50,000 words");
    if (!running.main) return close_process(running.app);
    settle(running.main);
    const long long start_ms = milliseconds_since(launched);

    const HWND tabs = GetDlgItem(running.main, ids::kTabPanel);
    const HWND view = GetDlgItem(tabs, ids::kListView + 4);
    SendMessageW(tabs, TCM_SETCURFOCUS, 4, 0);
    settle(running.main);
    check(list_rows(view) == kWords, "every word is a row");
    select_row(running.app.process, view, kWords - 1);
    settle(running.main);
    post_click(GetDlgItem(running.main, ids::kEditButton));
    const HWND dialog = wait_dialog(running, u"Редактирование произношения \"словодкккк\"");
    if (dialog) {
        type_text(GetDlgItem(dialog, ids::kReplacementField), L"слово+");
        const auto confirmed = std::chrono::steady_clock::now();
        post_click(GetDlgItem(dialog, ids::kOkButton));
        check(wait_closed(dialog), "the edit dialog closes");
        // The window answers once it has shown the edit.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(running.main, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kEditBound.count()),
                            &ignored);
        const long long edit_ms = milliseconds_since(confirmed);
        check(edit_ms < kEditBound.count(), "the window answers soon after an edit: " + std::to_string(edit_ms) + " ms");
        check(list_cell(running.app.process, view, kWords - 1, 1) == L"слово+" && selected_row(view) == kWords - 1,
              "the edited row shows its new pronunciation, selected");
        std::printf("50,000 words: window up in %lld ms, answering %lld ms after an edit\n", start_ms, edit_ms);
        screenshot(L"big_dictionary");
    }
    PostMessageW(running.main, WM_CLOSE, 0, 0);
    expect_box(running.app.id, shown(texts::kAttentionTitle), shown(texts::kUnappliedChangesQuestion), IDNO);
    check(wait_exit(running.app, 10000) == 0, "No ends the program");
    close_process(running.app);
    harness.fresh_data();
}

}  // namespace vl::gui_test
