#pragma once
// UI automation of another process's windows: launching, finding windows and
// message boxes, reading controls, remote list-view and tab items, keys, and
// screenshots taken by the driving script.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace vl::gui_test {

// Failed checks are printed and counted; the harness exits with their number.
int& failures();
void check(bool condition, const std::string& what);
std::string narrow(const std::wstring& text);

struct Launched {
    HANDLE process = nullptr;
    DWORD id = 0;
};
Launched launch(const std::wstring& program, const std::wstring& arguments);
// Waits for the process to end; its exit code, or -1 on time-out.
int wait_exit(const Launched& launched, int timeout_ms);
void close_process(Launched& launched);

// A visible top-level window of the process of that class (and title, when given).
HWND wait_window(DWORD process_id, const wchar_t* window_class, int timeout_ms = 8000);
HWND wait_message_box(DWORD process_id, int timeout_ms = 8000);
// A message box's text, title, and its answer by button id (IDOK, IDYES, ...).
std::wstring box_text(HWND box);
void answer(HWND box, int button);
// Waits for a box with that text, checks it and answers it.
void expect_box(DWORD process_id, const std::wstring& title, const std::wstring& text, int button);

std::wstring text_of(HWND window);
std::wstring class_of(HWND window);
// The control's rectangle in the client coordinates of `top`.
RECT place_in(HWND control, HWND top);
// Waits until the window is destroyed or hidden.
bool wait_closed(HWND window);
// The control with the keyboard focus in top's thread.
HWND focused(HWND top);
// Lets the target handle what was posted to it.
void settle(HWND window);
void post_click(HWND button);

// A key pressed in the control that has the focus in top's thread (with Ctrl held).
void press_key(HWND top, WORD key, bool control = false);
void type_text(HWND edit, const std::wstring& text);

// List views and tab panels of the target process.
int list_rows(HWND list_view);
std::wstring list_cell(HANDLE process, HWND list_view, int row, int column);
void select_row(HANDLE process, HWND list_view, int row);
int selected_row(HWND list_view);
int tab_count(HWND tabs);
std::wstring tab_title(HANDLE process, HWND tabs, int index);
// A mouse click (left or right) on a list-view row; a row past the end clicks
// below the last row.
void click_row(HANDLE process, HWND list_view, int row, bool right);

// The popup menu shown by the process (class "#32768"), or null.
HWND wait_menu(DWORD process_id, int timeout_ms = 3000);
// The texts of a shown popup menu's items, read inside the program by the
// menu probe DLL.
std::vector<std::wstring> menu_item_texts(HWND menu_window);
// Keys and characters typed into a shown popup menu.
void menu_key(HWND menu_window, WORD key);
void menu_char(HWND menu_window, wchar_t character);

// The tooltip texts of a top-level window's controls, by control.
std::map<HWND, std::wstring> tooltip_texts(HANDLE process, HWND top);

// Asks the driving script for a screenshot NAME.png and waits for it.
void screenshot(const std::wstring& name);
void set_screenshot_folder(const std::wstring& folder);

}  // namespace vl::gui_test
