// A Ukrainian word with an apostrophe, added through the dialog of the
// Ukrainian dictionary and applied into the file the Ukrainian voices read.
#include <windows.h>
#include <commctrl.h>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {

void check_ukrainian_word(const Harness& harness) {
    harness.fresh_data();
    Running running = start_program(harness, L"", true);
    if (!running.main) return close_process(running.app);
    const HWND main = running.main;
    const HWND languages = GetDlgItem(main, ids::kLanguageList);
    SendMessageW(languages, CB_SETCURSEL, 1, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(ids::kLanguageList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(languages));
    SendMessageW(GetDlgItem(main, ids::kTabPanel), TCM_SETCURFOCUS, 4, 0);
    settle(main);
    post_click(GetDlgItem(main, ids::kAddButton));
    const HWND dialog = wait_dialog(running, u"Добавление произношения пользовательского словаря");
    if (dialog) {
        const HWND ok = GetDlgItem(dialog, ids::kOkButton);
        type_text(GetDlgItem(dialog, ids::kSourceField), L"П'");
        type_text(GetDlgItem(dialog, ids::kReplacementField), L"пъя+ть");
        settle(dialog);
        check(!IsWindowVisible(GetDlgItem(dialog, ids::kErrorLabel)) && !IsWindowEnabled(ok),
              "an apostrophe may end a word being typed, OK waits for the next letter");
        type_text(GetDlgItem(dialog, ids::kSourceField), L"П\u2019ять");
        settle(dialog);
        check(IsWindowEnabled(ok), "a Ukrainian word with an apostrophe between letters enables OK");
        press_key(dialog, VK_RETURN);
        check(wait_closed(dialog), "OK adds the word");
    }
    settle(main);
    press_key(main, 'S', true);
    expect_box(running.app.id, shown(texts::kSuccessTitle), shown(texts::kApplied), IDOK);
    check(file_holds(harness.data_folder + L"\\dicts\\Ukrainian\\dict.dic", L"п\u2019ять пъя+ть"),
          "the Ukrainian voices' dictionary holds the word");
    close_process(running.app);
    harness.fresh_data();
}

}  // namespace vl::gui_test
