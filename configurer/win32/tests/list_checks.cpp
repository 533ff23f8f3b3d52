// The settings controls, the lists' keys and buttons, both editing dialogs
// and Apply, on the window of a first start.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {

namespace {

void move_slider(HWND main, int id, int position) {
    const HWND slider = GetDlgItem(main, id);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(main, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

void choose_dictionary(HWND main, int item) {
    const HWND list = GetDlgItem(main, ids::kDictionaryList);
    SendMessageW(list, CB_SETCURSEL, item, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(ids::kDictionaryList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void check_settings(const Running& running) {
    const HWND main = running.main;
    const HWND tabs = GetDlgItem(main, ids::kTabPanel);
    post_click(GetDlgItem(main, ids::kFixedPausesCheck));
    settle(main);
    check(IsWindowEnabled(GetDlgItem(main, ids::kPauseSlider)), "checking the pause box enables its slider");
    move_slider(main, ids::kIntonationSlider, 70);
    choose_dictionary(main, 1);
    check(tab_count(tabs) == 4 && !GetDlgItem(tabs, ids::kListView + 4), "dictionary off: no \"Словарь\" tab");
    choose_dictionary(main, 3);
    check(tab_count(tabs) == 5 && list_rows(GetDlgItem(tabs, ids::kListView + 4)) == 6,
          "user dictionary on: the tab is back with its entries");
    choose_dictionary(main, 2);
    check(tab_count(tabs) == 5, "a move within 2..3 keeps the tab");
}

void check_dialog_controls(HWND dialog, std::u16string_view source_label, std::u16string_view ok_text,
                           bool ok_enabled, RECT source_place) {
    check(text_of(GetDlgItem(dialog, ids::kSourceLabel)) == shown(source_label), "dialog source label");
    check(text_of(GetDlgItem(dialog, ids::kOkButton)) == shown(ok_text), "OK button text");
    check(IsWindowEnabled(GetDlgItem(dialog, ids::kOkButton)) == static_cast<BOOL>(ok_enabled), "OK button state");
    check(text_of(GetDlgItem(dialog, ids::kCancelButton)) == shown(texts::kCancelButton), "Cancel button text");
    const RECT place = place_in(GetDlgItem(dialog, ids::kSourceField), dialog);
    check(place.left == source_place.left && place.top == source_place.top &&
              place.right == source_place.right && place.bottom == source_place.bottom,
          "source field place");
    const RECT ok = place_in(GetDlgItem(dialog, ids::kOkButton), dialog);
    check(ok.left == 50 && ok.top == 150 && ok.right == 150 && ok.bottom == 200, "OK button place");
    check(focused(dialog) == GetDlgItem(dialog, ids::kSourceField), "the dialog starts in its source field");
}

void check_error_label(HWND dialog, const std::wstring& text, int x) {
    const HWND label = GetDlgItem(dialog, ids::kErrorLabel);
    check(IsWindowVisible(label) && text_of(label) == text, "error label " + narrow(text_of(label)));
    check(place_in(label, dialog).left == x && place_in(label, dialog).top == 41, "error label place");
    check(!IsWindowEnabled(GetDlgItem(dialog, ids::kOkButton)), "an invalid character disables OK");
}

// Delete, add and edit in the Latin list by keys, with the live check and Apply.
void check_latin_list(const Harness& harness, const Running& running) {
    const HWND main = running.main;
    const HWND view = GetDlgItem(GetDlgItem(main, ids::kTabPanel), ids::kListView);
    const DWORD id = running.app.id;
    // Tab visits the controls in their order up to the list view (the pause
    // check box has the focus since it was clicked).
    std::vector<int> visited;
    for (int i = 0; i < 15 && focused(main) != view; ++i) {
        press_key(main, VK_TAB);
        visited.push_back(GetDlgCtrlID(focused(main)));
    }
    const std::vector<int> expected = {ids::kPauseSlider, ids::kIntonationSlider,
                                       ids::kDictionaryList, ids::kSilenceAtBeginSlider, ids::kSilenceAtEndSlider,
                                       ids::kDisableDecimalCheck, ids::kDocumentationButton, ids::kApplyButton,
                                       ids::kLanguageList, ids::kTabPanel, ids::kListView};
    std::string trail;
    for (const int control : visited) trail += " " + std::to_string(control);
    check(visited == expected, "Tab visits the controls in order:" + trail);
    select_row(running.app.process, view, 16);
    settle(main);
    check(list_cell(running.app.process, view, 16, 0) == L"q", "row 16 is q");
    check(IsWindowEnabled(GetDlgItem(main, ids::kEditButton)) && IsWindowEnabled(GetDlgItem(main, ids::kDeleteButton)),
          "a selected row enables edit and delete");

    const std::wstring question = L"Вы действительно желаете удалить произношение \"q\"?";
    press_key(main, VK_DELETE);
    expect_box(id, shown(texts::kDeleteTitle), question, IDNO);
    check(list_rows(view) == 26, "No keeps the row");
    press_key(main, VK_DELETE);
    expect_box(id, shown(texts::kDeleteTitle), question, IDYES);
    settle(main);
    check(list_rows(view) == 25 && selected_row(view) == 15, "Yes deletes q and selects the row before");

    press_key(main, 'D', true);
    HWND dialog = wait_dialog(running, u"Добавление произношения латиницы");
    if (!dialog) return;
    check_dialog_controls(dialog, texts::kLetterLabel, texts::kAddButton, false, {171, 10, 221, 40});
    type_text(GetDlgItem(dialog, ids::kSourceField), L"ж");
    settle(dialog);
    check_error_label(dialog, L"Недопустимый символ: \"ж\"", 10);
    const LRESULT selection = SendMessageW(GetDlgItem(dialog, ids::kSourceField), EM_GETSEL, 0, 0);
    check(LOWORD(selection) == 0 && HIWORD(selection) == 1, "the offending character is selected");
    screenshot(L"entry_dialog_error");
    press_key(dialog, VK_RETURN);
    expect_box(id, shown(texts::kErrorTitle), shown(texts::kReplacementMissing), IDOK);
    type_text(GetDlgItem(dialog, ids::kReplacementField), L"къю");
    press_key(dialog, VK_RETURN);
    expect_box(id, shown(texts::kErrorTitle),
               L"В поле для задания что именно произносить присутствует один или несколько недопустимых символов. "
               L"Для начала, удалите хотя бы ж.",
               IDOK);
    type_text(GetDlgItem(dialog, ids::kSourceField), L"Q");
    settle(dialog);
    check(IsWindowEnabled(GetDlgItem(dialog, ids::kOkButton)), "valid fields enable OK");
    screenshot(L"entry_dialog");
    press_key(dialog, VK_RETURN);
    check(wait_closed(dialog), "OK closes the dialog");
    settle(main);
    check(list_rows(view) == 26 && list_cell(running.app.process, view, 25, 0) == L"q" && selected_row(view) == 25,
          "q added in lower case at the end and selected");

    press_key(main, 'S', true);
    expect_box(id, shown(texts::kSuccessTitle), shown(texts::kApplied), IDOK);
    check(file_holds(harness.prefs(), L"q = къю"), "Ctrl+S wrote q into prefs.ini");
    check(file_holds(harness.prefs(), L"intonation = 70"), "Ctrl+S wrote the intonation");

    press_key(main, 'D', true);
    dialog = wait_dialog(running, u"Добавление произношения латиницы");
    if (!dialog) return;
    type_text(GetDlgItem(dialog, ids::kSourceField), L"J");
    type_text(GetDlgItem(dialog, ids::kReplacementField), L"дж");
    post_click(GetDlgItem(dialog, ids::kOkButton));
    expect_box(id, shown(texts::kErrorTitle), shown(texts::kDuplicateEntry), IDOK);
    check(wait_closed(dialog) && list_rows(view) == 26, "a duplicate closes the dialog, nothing added");

    settle(main);
    press_key(main, VK_RETURN);
    dialog = wait_dialog(running, u"Редактирование произношения \"q\"");
    if (!dialog) return;
    check_dialog_controls(dialog, texts::kLetterLabel, texts::kSaveButton, true, {171, 10, 221, 40});
    type_text(GetDlgItem(dialog, ids::kReplacementField), L"кью");
    post_click(GetDlgItem(dialog, ids::kOkButton));
    check(wait_closed(dialog), "Сохранить closes the edit dialog");
    settle(main);
    check(list_cell(running.app.process, view, 25, 1) == L"кью", "edit overwrote the replacement");

    post_click(GetDlgItem(main, ids::kEditButton));
    dialog = wait_dialog(running, u"Редактирование произношения \"q\"");
    if (!dialog) return;
    press_key(dialog, VK_ESCAPE);
    check(wait_closed(dialog), "Escape closes the dialog");
}

// The symbol dialog through the buttons of the "Символы" tab.
void check_symbols(const Running& running) {
    const HWND main = running.main;
    const HWND tabs = GetDlgItem(main, ids::kTabPanel);
    const HWND view = GetDlgItem(tabs, ids::kListView + 3);
    SendMessageW(tabs, TCM_SETCURFOCUS, 3, 0);
    settle(main);
    check(IsWindowVisible(view) && !IsWindowVisible(GetDlgItem(tabs, ids::kListView)), "the symbols tab shows");
    check(!IsWindowEnabled(GetDlgItem(main, ids::kEditButton)), "no selected symbol: edit disabled");
    post_click(GetDlgItem(main, ids::kAddButton));
    HWND dialog = wait_dialog(running, u"Добавление произношения символа");
    if (!dialog) return;
    RECT client{};
    GetClientRect(dialog, &client);
    check(client.right == 840 && client.bottom == 240, "symbol dialog 840 x 240");
    check_dialog_controls(dialog, texts::kSymbolLabel, texts::kAddButton, false, {91, 20, 111, 40});
    check_symbol_dialog_tooltips(running.app.process, dialog);
    check(text_of(GetDlgItem(dialog, ids::kWhenList)) == shown(texts::kWhenSpelling), "when starts at item 0");
    type_text(GetDlgItem(dialog, ids::kSourceField), L"a");
    settle(dialog);
    check_error_label(dialog, shown(texts::kInvalidCharShortLabel), 10);
    screenshot(L"symbol_dialog_error");
    type_text(GetDlgItem(dialog, ids::kSourceField), L"€");
    type_text(GetDlgItem(dialog, ids::kReplacementField), L"евро");
    post_click(GetDlgItem(dialog, ids::kOkButton));
    expect_box(running.app.id, shown(texts::kErrorTitle), shown(texts::kDuplicateEntry), IDOK);
    check(wait_closed(dialog), "a duplicate symbol closes the dialog");

    post_click(GetDlgItem(main, ids::kAddButton));
    dialog = wait_dialog(running, u"Добавление произношения символа");
    if (!dialog) return;
    type_text(GetDlgItem(dialog, ids::kSourceField), L"%");
    type_text(GetDlgItem(dialog, ids::kReplacementField), L"процент");
    SendMessageW(GetDlgItem(dialog, ids::kWhenList), CB_SETCURSEL, 1, 0);
    screenshot(L"symbol_dialog");
    post_click(GetDlgItem(dialog, ids::kOkButton));
    check(wait_closed(dialog), "OK adds the symbol");
    settle(main);
    check(list_rows(view) == 29 && list_cell(running.app.process, view, 28, 0) == L"%" &&
              list_cell(running.app.process, view, 28, 2) == shown(texts::kWhenAlways),
          "the new symbol row shows \"Всегда\"");
    post_click(GetDlgItem(main, ids::kDeleteButton));
    expect_box(running.app.id, shown(texts::kDeleteTitle), L"Вы действительно желаете удалить произношение \"%\"?",
               IDNO);
}

// Closing with unapplied changes: Cancel keeps the window, No ends without writing.
void check_close_cancel_and_no(const Harness& harness, const Running& running) {
    const std::string before = read_file(harness.prefs());
    const DWORD id = running.app.id;
    PostMessageW(running.main, WM_CLOSE, 0, 0);
    expect_box(id, shown(texts::kAttentionTitle), shown(texts::kUnappliedChangesQuestion), IDCANCEL);
    settle(running.main);
    check(IsWindow(running.main), "Cancel keeps the window");
    PostMessageW(running.main, WM_CLOSE, 0, 0);
    const HWND box = wait_message_box(id);
    check(box != nullptr, "the close question again");
    if (box) screenshot(L"close_question");
    if (box) answer(box, IDNO);
    check(wait_exit(running.app, 5000) == 0, "No ends the program");
    check(read_file(harness.prefs()) == before, "No writes nothing");
}

}  // namespace

void check_lists_and_dialogs(const Harness& harness, Running& running) {
    check_settings(running);
    check_latin_list(harness, running);
    check_symbols(running);
    check_context_menu(running);
    check_entry_list_buttons(running);
    check_close_cancel_and_no(harness, running);
}

}  // namespace vl::gui_test
