// The context menu, shown by the right mouse button and the context-menu key,
// with each of its items chosen by letter and by arrow keys; and the edit and
// delete buttons on an entry list.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {

namespace {

std::wstring delete_question(const std::wstring& entry) {
    return L"Вы действительно желаете удалить произношение \"" + entry + L"\"?";
}

// The menu the program has just shown: where it stands and what it holds.
HWND shown_menu(const Running& running, POINT at) {
    const HWND menu = wait_menu(running.app.id);
    check(menu != nullptr, "the context menu appears");
    if (!menu) return nullptr;
    RECT rect{};
    GetWindowRect(menu, &rect);
    check(rect.left == at.x && rect.top == at.y, "context menu at " + std::to_string(rect.left) + "," +
                                                     std::to_string(rect.top) + ", expected " + std::to_string(at.x) +
                                                     "," + std::to_string(at.y));
    const std::vector<std::wstring> expected = {L"Доб&авить...", L"Р&едактировать...", L"У&далить..."};
    const std::vector<std::wstring> items = menu_item_texts(menu);
    std::string listed;
    for (const std::wstring& item : items) listed += " \"" + narrow(item) + "\"";
    check(items == expected, "context menu items:" + listed);
    return menu;
}

// The context-menu key in the focused list view.
HWND menu_by_key(const Running& running, POINT at) {
    press_key(running.main, VK_APPS);
    return shown_menu(running, at);
}

void cancel_dialog(HWND dialog) {
    if (!dialog) return;
    press_key(dialog, VK_ESCAPE);
    check(wait_closed(dialog), "Escape closes the dialog");
}

// Every item by its accelerator letter, on the Cyrillic list, after the right
// mouse button has shown the menu once.
void check_cyrillic_menu(const Running& running) {
    const HANDLE process = running.app.process;
    const DWORD id = running.app.id;
    const HWND main = running.main;
    const HWND tabs = GetDlgItem(main, ids::kTabPanel);
    const HWND view = GetDlgItem(tabs, ids::kListView + 1);
    constexpr POINT kAt{30, 152};
    SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
    settle(main);
    click_row(process, view, list_rows(view), false);
    check(focused(main) == view && selected_row(view) == -1, "a click below the rows focuses the list, no row");
    press_key(main, VK_APPS);
    check(wait_menu(id, 500) == nullptr, "no selected row: no context menu");

    click_row(process, view, 2, true);
    HWND menu = shown_menu(running, kAt);
    check(selected_row(view) == 2, "the right click selects its row");
    if (!menu) return;
    screenshot(L"context_menu");
    menu_key(menu, VK_ESCAPE);
    check(wait_closed(menu), "Escape closes the menu");
    check(wait_window(id, ids::kDialogClass, 300) == nullptr && wait_message_box(id, 0) == nullptr,
          "a closed menu opens nothing");

    if ((menu = menu_by_key(running, kAt))) menu_char(menu, L'е');
    HWND dialog = wait_dialog(running, u"Редактирование произношения \"к\"");
    if (dialog) check_entry_dialog_tooltips(process, dialog);
    cancel_dialog(dialog);
    if ((menu = menu_by_key(running, kAt))) menu_char(menu, L'д');
    expect_box(id, shown(texts::kDeleteTitle), delete_question(L"к"), IDNO);
    settle(main);
    // Shift+F10 reaches the window as a context-menu request made by the keyboard.
    PostMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), -1);
    if ((menu = shown_menu(running, kAt))) menu_char(menu, L'а');
    cancel_dialog(wait_dialog(running, u"Добавление произношения кириллицы"));
    settle(main);
    check(list_rows(view) == 6 && selected_row(view) == 2, "cancelled menu items change nothing");
}

// Every item by the arrow keys and Enter, on the Latin list.
void check_latin_menu(const Running& running) {
    const HANDLE process = running.app.process;
    const HWND main = running.main;
    const HWND tabs = GetDlgItem(main, ids::kTabPanel);
    const HWND view = GetDlgItem(tabs, ids::kListView);
    constexpr POINT kAt{130, 202};
    SendMessageW(tabs, TCM_SETCURFOCUS, 0, 0);
    settle(main);
    click_row(process, view, 0, false);
    check(focused(main) == view && selected_row(view) == 0, "a click selects the first Latin row");
    const std::u16string titles[] = {u"Добавление произношения латиницы", u"Редактирование произношения \"a\""};
    for (int item = 0; item < 3; ++item) {
        const HWND menu = menu_by_key(running, kAt);
        if (!menu) return;
        for (int down = 0; down <= item; ++down) menu_key(menu, VK_DOWN);
        menu_key(menu, VK_RETURN);
        if (item < 2) {
            cancel_dialog(wait_dialog(running, titles[item]));
        } else {
            expect_box(running.app.id, shown(texts::kDeleteTitle), delete_question(L"a"), IDNO);
        }
        settle(main);
    }
    check(list_rows(view) == 26 && selected_row(view) == 0, "the Latin list is unchanged");
}

}  // namespace

void check_context_menu(const Running& running) {
    check_cyrillic_menu(running);
    check_latin_menu(running);
}

// "Редактировать" and "Удалить" on the Cyrillic list; deleting the first row
// leaves none selected and disables both buttons.
void check_entry_list_buttons(const Running& running) {
    const HANDLE process = running.app.process;
    const DWORD id = running.app.id;
    const HWND main = running.main;
    const HWND tabs = GetDlgItem(main, ids::kTabPanel);
    const HWND view = GetDlgItem(tabs, ids::kListView + 1);
    SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
    settle(main);
    click_row(process, view, 2, false);
    post_click(GetDlgItem(main, ids::kEditButton));
    const HWND dialog = wait_dialog(running, u"Редактирование произношения \"к\"");
    if (!dialog) return;
    type_text(GetDlgItem(dialog, ids::kReplacementField), L"КА+");
    post_click(GetDlgItem(dialog, ids::kOkButton));
    check(wait_closed(dialog), "Сохранить closes the dialog");
    settle(main);
    check(list_cell(process, view, 2, 1) == L"ка+" && selected_row(view) == 2,
          "the edit button stored the replacement in lower case; its row stays selected");

    post_click(GetDlgItem(main, ids::kDeleteButton));
    expect_box(id, shown(texts::kDeleteTitle), delete_question(L"к"), IDYES);
    settle(main);
    check(list_rows(view) == 5 && selected_row(view) == 1 && list_cell(process, view, 2, 0) == L"с",
          "the delete button removed к and selected the row before");

    click_row(process, view, 0, false);
    post_click(GetDlgItem(main, ids::kDeleteButton));
    expect_box(id, shown(texts::kDeleteTitle), delete_question(L"б"), IDYES);
    settle(main);
    check(list_rows(view) == 4 && selected_row(view) == -1, "deleting the first row leaves no row selected");
    check(!IsWindowEnabled(GetDlgItem(main, ids::kEditButton)) && !IsWindowEnabled(GetDlgItem(main, ids::kDeleteButton)),
          "with no row selected edit and delete are disabled");
}

}  // namespace vl::gui_test
