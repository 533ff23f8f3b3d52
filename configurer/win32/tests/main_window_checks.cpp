// The main window as a new user first sees it: frame, controls, tab order,
// focus, tabs and lists.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/tests/harness.h"

namespace vl::gui_test {

namespace {

struct Expected {
    int id;
    const wchar_t* window_class;
    std::u16string_view text;
    RECT place;  // left, top, right, bottom in the main window's client area
    bool enabled;
};

RECT at(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

std::vector<Expected> expected_controls() {
    using namespace texts;
    const wchar_t* slider = L"msctls_trackbar32";
    return {
        {ids::kGeneralFrame, L"Button", kGeneralFrame, at(0, 20, 1180, 310), true},
        {ids::kSampleRateLabel, L"Static", kSampleRateLabel, at(10, 40, 211, 20), true},
        {ids::kSampleRateSlider, slider, u"", at(222, 40, 100, 20), true},
        {ids::kFixedPausesCheck, L"Button", kFixedPausesCheckBox, at(300, 40, 261, 20), true},
        {ids::kPauseLabel, L"Static", kPauseLabel, at(670, 43, 0, 0), true},
        {ids::kPauseSlider, slider, u"", at(662, 40, 150, 20), false},
        {ids::kIntonationLabel, L"Static", kIntonationLabel, at(300, 61, 260, 20), true},
        {ids::kIntonationSlider, slider, u"", at(662, 61, 150, 20), true},
        {ids::kDictionaryLabel, L"Static", kDictionaryLabel, at(10, 61, 80, 20), true},
        {ids::kDictionaryList, L"ComboBox", kDictionaryItems[2], at(91, 61, 319, 20), true},
        {ids::kSilenceAtBeginLabel, L"Static", kSilenceAtBeginLabel, at(10, 82, 150, 20), true},
        {ids::kSilenceAtBeginSlider, slider, u"", at(161, 82, 239, 20), true},
        {ids::kSilenceAtEndLabel, L"Static", kSilenceAtEndLabel, at(400, 82, 150, 20), true},
        {ids::kSilenceAtEndSlider, slider, u"", at(551, 82, 239, 20), true},
        {ids::kDisableDecimalCheck, L"Button", kDisableDecimalCheckBox, at(10, 102, 450, 20), true},
        {ids::kDocumentationButton, L"Button", kDocumentationButton, at(800, 0, 140, 20), true},
        {ids::kApplyButton, L"Button", kApplyButton, at(980, 0, 100, 20), true},
        {ids::kPronunciationsFrame, L"Button", kPronunciationsFrame, at(0, 122, 1200, 459), true},
        {ids::kTabPanel, L"SysTabControl32", u"", at(10, 141, 1180, 438), true},
        {ids::kAddButton, L"Button", kAddButton, at(100, 600, 100, 20), true},
        {ids::kEditButton, L"Button", kEditButton, at(400, 600, 100, 20), false},
        {ids::kDeleteButton, L"Button", kDeleteButton, at(600, 600, 100, 20), false},
    };
}

std::string describe(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) +
           "x" + std::to_string(rect.bottom - rect.top);
}

void check_controls(HWND main) {
    for (const Expected& expected : expected_controls()) {
        const HWND control = GetDlgItem(main, expected.id);
        const std::string name = "control " + std::to_string(expected.id);
        check(control != nullptr, name + " exists");
        if (!control) continue;
        check(class_of(control) == expected.window_class, name + " class " + narrow(class_of(control)));
        check(text_of(control) == shown(expected.text), name + " text " + narrow(text_of(control)));
        check(IsWindowEnabled(control) == static_cast<BOOL>(expected.enabled), name + " enabled state");
        const RECT place = place_in(control, main);
        // A drop-down list's height follows its font.
        const int height_slack = expected.id == ids::kDictionaryList ? 4 : 0;
        check(place.left == expected.place.left && place.top == expected.place.top &&
                  place.right == expected.place.right &&
                  std::abs((place.bottom - place.top) - (expected.place.bottom - expected.place.top)) <= height_slack,
              name + " at " + describe(place) + ", expected " + describe(expected.place));
    }
}

// The controls that take the focus, in the order Tab visits them; each
// slider and list follows its label.
void check_tab_order(HWND main) {
    std::vector<int> order;
    std::vector<int> before;
    int previous = 0;
    auto visit = [&](HWND parent, auto& self) -> void {
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (style & WS_TABSTOP) {
                order.push_back(GetDlgCtrlID(child));
                before.push_back(previous);
            }
            previous = GetDlgCtrlID(child);
            if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) self(child, self);
        }
    };
    visit(main, visit);
    const std::vector<int> expected = {
        ids::kSampleRateSlider, ids::kFixedPausesCheck, ids::kPauseSlider, ids::kIntonationSlider,
        ids::kDictionaryList, ids::kSilenceAtBeginSlider, ids::kSilenceAtEndSlider, ids::kDisableDecimalCheck,
        ids::kDocumentationButton, ids::kApplyButton, ids::kTabPanel, ids::kListView + 0, ids::kListView + 1,
        ids::kListView + 2, ids::kListView + 3, ids::kListView + 4, ids::kAddButton, ids::kEditButton,
        ids::kDeleteButton};
    check(order == expected, "tab order");
    for (std::size_t i = 0; i < order.size() && i < before.size(); ++i) {
        const int id = order[i];
        if (id == ids::kFixedPausesCheck || id == ids::kDisableDecimalCheck) continue;
        if (id >= ids::kSampleRateSlider && id <= ids::kSilenceAtEndSlider) {
            check(before[i] == id - 1, "control " + std::to_string(id) + " follows its label");
        }
    }
}

void check_lists(const Running& running) {
    const HWND tabs = GetDlgItem(running.main, ids::kTabPanel);
    check(tab_count(tabs) == 5, "five tabs");
    for (int tab = 0; tab < 5; ++tab) {
        check(tab_title(running.app.process, tabs, tab) == shown(texts::kTabTitles[tab]),
              "tab title " + narrow(tab_title(running.app.process, tabs, tab)));
    }
    const int rows[] = {26, 6, 3, 28, 6};
    const std::vector<std::vector<int>> widths = {{400, 400}, {400, 400}, {400, 400}, {10, 300, 400}, {400, 400}};
    const int heights[] = {375, 375, 350, 375, 375};
    for (int kind = 0; kind < 5; ++kind) {
        const HWND view = GetDlgItem(tabs, ids::kListView + kind);
        const std::string name = "list " + std::to_string(kind);
        check(view != nullptr && class_of(view) == L"SysListView32", name + " exists");
        if (!view) continue;
        check(list_rows(view) == rows[kind], name + " has its default rows");
        check(IsWindowVisible(view) == (kind == 0), name + " visible only on its tab");
        const LONG style = GetWindowLongW(view, GWL_STYLE);
        check((style & LVS_TYPEMASK) == LVS_REPORT && (style & LVS_SINGLESEL), name + " is a one-selection report");
        check(SendMessageW(view, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT, name + " full row");
        for (std::size_t column = 0; column < widths[kind].size(); ++column) {
            check(SendMessageW(view, LVM_GETCOLUMNWIDTH, column, 0) == widths[kind][column],
                  name + " column width " + std::to_string(column));
        }
        const RECT place = place_in(view, running.main);
        check(place.left == 20 && place.right - place.left == 800 && place.bottom - place.top == heights[kind] &&
                  place.top > 141 && place.top < 141 + 40,
              name + " at " + describe(place));
    }
    const HWND latin = GetDlgItem(tabs, ids::kListView);
    check(list_cell(running.app.process, latin, 0, 0) == L"a" && list_cell(running.app.process, latin, 0, 1) == L"эй",
          "first Latin row");
    const HWND symbols = GetDlgItem(tabs, ids::kListView + 3);
    check(list_cell(running.app.process, symbols, 5, 0) == L"₽" &&
              list_cell(running.app.process, symbols, 5, 2) == shown(texts::kWhenAlways) &&
              list_cell(running.app.process, symbols, 0, 2) == shown(texts::kWhenSpelling),
          "symbol rows show when");
}

}  // namespace

void check_main_window(Running& running) {
    const HWND main = running.main;
    check(text_of(main) == shown(texts::kMainWindowTitle), "main window title");
    RECT window{}, client{};
    GetWindowRect(main, &window);
    GetClientRect(main, &client);
    check(window.left == 0 && window.top == 0, "main window at (0, 0)");
    check(client.right == 1200 && client.bottom == 660, "client area 1200 x 660");
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), "title bar and close box");
    check(!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)), "neither resizable nor minimizable");
    check_controls(main);
    check_tab_order(main);
    check_lists(running);
    check_main_tooltips(running);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui);
    check(gui.hwndFocus == GetDlgItem(main, ids::kSampleRateSlider), "focus starts on the sample-rate slider");
    screenshot(L"main_window");
}

}  // namespace vl::gui_test
