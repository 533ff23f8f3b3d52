#pragma once
// Creating native controls: one call per control with its text (expanded from
// the stored texts), place, id and tooltip, in the GUI font.
#include <windows.h>

#include <string>
#include <string_view>

namespace vl {

struct Place {
    int x, y, width, height;
};

// Pixels at 96 dots per inch scaled to the system's setting (the program
// declares itself aware of it, so the system does not stretch its windows),
// or less where the main window would not fit the screen at it.
int scaled(int pixels);

// Lowers the scale of every control and of the font so that a top-level window
// whose client area is width × height at 96 dots per inch fits the work area
// (the screen without the taskbar). Called before any control is made.
void fit_to_work_area(int width, int height, DWORD style, DWORD ex_style);

// A child control at a place given at 96 dots per inch; text is stored text,
// shown through expand_text.
HWND create_control(HWND parent, const wchar_t* window_class, std::u16string_view text, DWORD style, Place place,
                    int id, DWORD ex_style = 0);
// The same with a text already expanded.
HWND create_control_expanded(HWND parent, const wchar_t* window_class, const std::u16string& text, DWORD style,
                             Place place, int id, DWORD ex_style = 0);

// One tooltip window per top-level window; a tool per control.
void add_tooltip(HWND control, std::u16string_view stored_text);

// The font every control of the program uses.
HFONT gui_font();

// WM_NEXTDLGCTL, which IsDialogMessage sends for Tab to windows that are not
// dialogs: moves the focus to the next (or previous, or given) control.
void next_control(HWND window, WPARAM wparam, LPARAM lparam);

// The control Tab (or Shift+Tab) moves to from `from`: the next enabled,
// visible control with WS_TABSTOP in creation order, a container included
// before the controls it holds (the tab panel before its list views).
HWND next_tab_stop(HWND top, HWND from, bool backwards);

// A top-level window's outer size for a client area of width × height (at 96 dots per inch).
SIZE window_size_for_client(int width, int height, DWORD style, DWORD ex_style);

}  // namespace vl
