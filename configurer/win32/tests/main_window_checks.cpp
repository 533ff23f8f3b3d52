// The main window as a new user first sees it: frame, controls, tab order,
// focus, tabs and lists.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/main_window_layout.h"
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

RECT at(const Place& place) { return {place.x, place.y, place.x + place.width, place.y + place.height}; }

// The places of main_window_layout.h: Wine draws at 96 dots per inch.
std::vector<Expected> expected_controls() {
    using namespace texts;
    const wchar_t* slider = L"msctls_trackbar32";
    return {
        {ids::kGeneralFrame, L"Button", kGeneralFrame, at(layout::kGeneralFrame), true},
        {ids::kSampleRateLabel, L"Static", kSampleRateLabel, at(layout::kSampleRateLabel), true},
        {ids::kSampleRateSlider, slider, u"", at(layout::kSampleRateSlider), true},
        {ids::kFixedPausesCheck, L"Button", kFixedPausesCheckBox, at(layout::kFixedPausesCheck), true},
        {ids::kPauseLabel, L"Static", kPauseLabel, at(layout::kPauseLabel), true},
        {ids::kPauseSlider, slider, u"", at(layout::kPauseSlider), false},
        {ids::kIntonationLabel, L"Static", kIntonationLabel, at(layout::kIntonationLabel), true},
        {ids::kIntonationSlider, slider, u"", at(layout::kIntonationSlider), true},
        {ids::kDictionaryLabel, L"Static", kDictionaryLabel, at(layout::kDictionaryLabel), true},
        {ids::kDictionaryList, L"ComboBox", kDictionaryItems[2], at(layout::kDictionaryList), true},
        {ids::kSilenceAtBeginLabel, L"Static", kSilenceAtBeginLabel, at(layout::kSilenceAtBeginLabel), true},
        {ids::kSilenceAtBeginSlider, slider, u"", at(layout::kSilenceAtBeginSlider), true},
        {ids::kSilenceAtEndLabel, L"Static", kSilenceAtEndLabel, at(layout::kSilenceAtEndLabel), true},
        {ids::kSilenceAtEndSlider, slider, u"", at(layout::kSilenceAtEndSlider), true},
        {ids::kDisableDecimalCheck, L"Button", kDisableDecimalCheckBox, at(layout::kDisableDecimalCheck), true},
        {ids::kDocumentationButton, L"Button", kDocumentationButton, at(layout::kDocumentationButton), true},
        {ids::kApplyButton, L"Button", kApplyButton, at(layout::kApplyButton), true},
        {ids::kPronunciationsFrame, L"Button", kPronunciationsFrame, at(layout::kPronunciationsFrame), true},
        {ids::kLanguageLabel, L"Static", kLanguageLabel, at(layout::kLanguageLabel), true},
        {ids::kLanguageList, L"ComboBox", kLanguageItems[0], at(layout::kLanguageList), true},
        {ids::kTabPanel, L"SysTabControl32", u"", at(layout::kTabPanel), true},
        {ids::kAddButton, L"Button", kAddButton, at(layout::kAddButton), true},
        {ids::kEditButton, L"Button", kEditButton, at(layout::kEditButton), false},
        {ids::kDeleteButton, L"Button", kDeleteButton, at(layout::kDeleteButton), false},
    };
}

std::string describe(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) +
           "x" + std::to_string(rect.bottom - rect.top);
}

bool overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

// Nothing is drawn over anything else: the controls of the window (the frames
// aside) overlap no other, each lies inside the window and, below the buttons
// of the top row, inside its frame.
void check_no_overlaps(HWND main) {
    RECT client{};
    GetClientRect(main, &client);
    const RECT general = place_in(GetDlgItem(main, ids::kGeneralFrame), main);
    const RECT pronunciations = place_in(GetDlgItem(main, ids::kPronunciationsFrame), main);
    check(!overlap(general, pronunciations), "the two frames do not overlap");
    std::vector<std::pair<int, RECT>> places;
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (!IsWindowVisible(child) || id == ids::kGeneralFrame || id == ids::kPronunciationsFrame) continue;
        const RECT place = place_in(child, main);
        check(inside(place, client), "control " + std::to_string(id) + " inside the window");
        const bool top_row = id == ids::kDocumentationButton || id == ids::kApplyButton;
        check(top_row || inside(place, general) || inside(place, pronunciations),
              "control " + std::to_string(id) + " inside its frame at " + describe(place));
        for (const auto& [other, other_place] : places) {
            check(!overlap(place, other_place),
                  "control " + std::to_string(id) + " overlaps control " + std::to_string(other));
        }
        places.emplace_back(id, place);
    }
}

// A screen reader names a slider by the label before it: that label is
// visible, says what the slider sets, and stands to its left.
void check_slider_labels(HWND main) {
    for (const int id : {ids::kSampleRateSlider, ids::kPauseSlider, ids::kIntonationSlider,
                         ids::kSilenceAtBeginSlider, ids::kSilenceAtEndSlider}) {
        const HWND slider = GetDlgItem(main, id);
        const HWND label = GetWindow(slider, GW_HWNDPREV);
        const std::string name = "slider " + std::to_string(id);
        check(label && class_of(label) == L"Static" && !text_of(label).empty(), name + " follows a text label");
        if (!label) continue;
        const RECT label_place = place_in(label, main);
        const RECT slider_place = place_in(slider, main);
        check(IsWindowVisible(label) && label_place.right - label_place.left > 0 &&
                  label_place.bottom - label_place.top > 0,
              name + " label visible");
        check(label_place.right <= slider_place.left && label_place.top == slider_place.top,
              name + " label to its left");
    }
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
        const int height_slack = expected.id == ids::kDictionaryList || expected.id == ids::kLanguageList ? 4 : 0;
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
        ids::kDocumentationButton, ids::kApplyButton, ids::kLanguageList, ids::kTabPanel, ids::kListView + 0, ids::kListView + 1,
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
                  place.top > layout::kTabPanel.y && place.top < layout::kTabPanel.y + 40,
              name + " at " + describe(place));
    }
    // The language choice: the Ukrainian lists are the engine's Ukrainian defaults, the Russian ones come back.
    const HWND languages = GetDlgItem(running.main, ids::kLanguageList);
    const HWND cyrillic = GetDlgItem(tabs, ids::kListView + 1);
    for (const int language : {1, 0}) {
        SendMessageW(languages, CB_SETCURSEL, language, 0);
        SendMessageW(running.main, WM_COMMAND, MAKEWPARAM(ids::kLanguageList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(languages));
        check(list_rows(cyrillic) == (language == 1 ? 36 : 6), "Cyrillic list of language " + std::to_string(language));
        check(list_rows(GetDlgItem(tabs, ids::kListView + 3)) == (language == 1 ? 27 : 28),
              "symbol list of language " + std::to_string(language));
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
    check(client.right == layout::kClientWidth && client.bottom == layout::kClientHeight, "client area");
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), "title bar and close box");
    check(!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)), "neither resizable nor minimizable");
    check_controls(main);
    check_no_overlaps(main);
    check_slider_labels(main);
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
