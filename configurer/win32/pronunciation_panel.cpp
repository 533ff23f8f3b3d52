#include "configurer/win32/pronunciation_panel.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "configurer/core/dialog_texts.h"
#include "configurer/core/list_operations.h"
#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/main_window_layout.h"
#include "configurer/win32/controls.h"
#include "configurer/win32/editing_dialog.h"
#include "configurer/win32/wide_text.h"

namespace vl {

namespace {

struct Column {
    std::u16string_view title;
    int width;
};

struct ListLayout {
    std::array<Column, 3> columns;  // a zero width ends the list
    int height;
};

constexpr ListLayout kListLayouts[kListCount] = {
    {{{{texts::kLetterColumn, 400}, {texts::kPronounceAsColumn, 400}, {}}}, 375},
    {{{{texts::kLetterColumn, 400}, {texts::kPronounceAsColumn, 400}, {}}}, 375},
    {{{{texts::kLetterColumn, 400}, {texts::kReadAsColumn, 400}, {}}}, 350},
    {{{{texts::kSymbolColumn, 10}, {texts::kPronounceAsColumn, 300}, {texts::kWhenColumn, 400}}}, 375},
    {{{{texts::kSourceColumn, 400}, {texts::kPronounceAsColumn, 400}, {}}}, 375},
};

constexpr int kListX = 10;  // inside the tab panel, which stands at x 10
constexpr int kListWidth = 800;

// Fixed screen positions of the context menu.
constexpr POINT kLatinMenuPosition{130, 202};
constexpr POINT kOtherMenuPosition{30, 152};

int index_of(ListKind kind) { return static_cast<int>(kind); }

// Clears the selection and focus marks a virtual list view keeps by row number.
const LVITEMW kNoRowState{.stateMask = LVIS_SELECTED | LVIS_FOCUSED};

// The list views live inside the tab panel; their notifications go on to the main window.
LRESULT CALLBACK forward_notifications(HWND tabs, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR) {
    if (message == WM_NOTIFY) return SendMessageW(GetParent(tabs), message, wparam, lparam);
    return DefSubclassProc(tabs, message, wparam, lparam);
}

void insert_tab(HWND tabs, ListKind kind) {
    std::u16string title = expand_text(texts::kTabTitles[index_of(kind)]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(title.data());
    SendMessageW(tabs, TCM_INSERTITEMW, index_of(kind), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

PronunciationPanel::PronunciationPanel(HWND window, ConfigurerState& state, Win32UserInterface& ui)
    : window_(window), state_(state), ui_(ui) {
    create_control(window, WC_STATICW, texts::kLanguageLabel, SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE,
                   layout::kLanguageLabel, ids::kLanguageLabel);
    const HWND languages = create_control(window, WC_COMBOBOXW, u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                          {layout::kLanguageList.x, layout::kLanguageList.y,
                                           layout::kLanguageList.width, 120},
                                          ids::kLanguageList);
    for (const auto& item : texts::kLanguageItems) {
        SendMessageW(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(expand_text(item))));
    }
    SendMessageW(languages, CB_SETCURSEL, state.language, 0);
    add_tooltip(languages, texts::kLanguageTooltip);
    tabs_ = create_control(window, WC_TABCONTROLW, u"", WS_TABSTOP | WS_CLIPCHILDREN, layout::kTabPanel, ids::kTabPanel,
                           WS_EX_CONTROLPARENT);
    SetWindowSubclass(tabs_, forward_notifications, 0, 0);
    const std::size_t tab_count = user_dictionary_tab_shown(state.settings) ? kListCount : kListCount - 1;
    for (std::size_t kind = 0; kind < tab_count; ++kind) {
        insert_tab(tabs_, static_cast<ListKind>(kind));
        create_list_view(static_cast<ListKind>(kind));
        fill(static_cast<ListKind>(kind));
    }
    create_control(window, WC_BUTTONW, texts::kAddButton, WS_TABSTOP, layout::kAddButton, ids::kAddButton);
    EnableWindow(
        create_control(window, WC_BUTTONW, texts::kEditButton, WS_TABSTOP, layout::kEditButton, ids::kEditButton),
        FALSE);
    EnableWindow(create_control(window, WC_BUTTONW, texts::kDeleteButton, WS_TABSTOP, layout::kDeleteButton,
                                ids::kDeleteButton),
                 FALSE);
    menu_ = CreatePopupMenu();
    const std::pair<int, std::u16string_view> items[] = {
        {ids::kMenuAdd, texts::kMenuAdd}, {ids::kMenuEdit, texts::kMenuEdit}, {ids::kMenuDelete, texts::kMenuDelete}};
    for (const auto& [id, text] : items) AppendMenuW(menu_, MF_STRING, id, wide(expand_text(text)));
    SendMessageW(tabs_, TCM_SETCURSEL, 0, 0);
    show_tab();
}

PronunciationPanel::~PronunciationPanel() { DestroyMenu(menu_); }

HWND PronunciationPanel::list_view(ListKind kind) const { return GetDlgItem(tabs_, ids::kListView + index_of(kind)); }

std::optional<ListKind> PronunciationPanel::list_kind(HWND control) const {
    for (std::size_t kind = 0; kind < kListCount; ++kind) {
        const HWND view = list_view(static_cast<ListKind>(kind));
        if (view && view == control) return static_cast<ListKind>(kind);
    }
    return std::nullopt;
}

std::optional<ListKind> PronunciationPanel::shown_kind() const {
    const LRESULT selected = SendMessageW(tabs_, TCM_GETCURSEL, 0, 0);
    if (selected < 0) return std::nullopt;
    return static_cast<ListKind>(selected);
}

bool PronunciationPanel::has_selected_row(ListKind kind) const {
    const HWND view = list_view(kind);
    return view && SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) >= 0;
}

void PronunciationPanel::create_list_view(ListKind kind) {
    // The page below the tab strip, in the panel's own pixels: the strip's
    // height comes from the font, already at the screen's scale.
    RECT page{};
    GetClientRect(tabs_, &page);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    const ListLayout& layout = kListLayouts[index_of(kind)];
    const HWND view = create_control(tabs_, WC_LISTVIEWW, u"",
                                     WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                         LVS_OWNERDATA,
                                     {kListX, 0, kListWidth, layout.height}, ids::kListView + index_of(kind));
    const int top = page.top + scaled(2);
    SetWindowPos(view, nullptr, scaled(kListX), top, scaled(kListWidth),
                 std::min(scaled(layout.height), static_cast<int>(page.bottom) - top), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(view, SW_HIDE);
    SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int column_index = 0;
    for (const Column& column : layout.columns) {
        if (column.width == 0) break;
        std::u16string title = expand_text(column.title);
        LVCOLUMNW definition{};
        definition.mask = LVCF_TEXT | LVCF_WIDTH;
        definition.cx = scaled(column.width);
        definition.pszText = reinterpret_cast<wchar_t*>(title.data());
        SendMessageW(view, LVM_INSERTCOLUMNW, column_index++, reinterpret_cast<LPARAM>(&definition));
    }
    // Keep the tab order: the list views in kind order, after the tab panel's strip.
    if (index_of(kind) > 0) {
        SetWindowPos(view, list_view(static_cast<ListKind>(index_of(kind) - 1)), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// The list views hold no rows of their own: they know the row count and ask
// for each visible cell (LVN_GETDISPINFO), so that a dictionary of tens of
// thousands of words shows at once and an edit costs one repaint.
void PronunciationPanel::fill(ListKind kind) {
    const HWND view = list_view(kind);
    SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&kNoRowState));
    SendMessageW(view, LVM_SETITEMCOUNT, list_size(state_, kind), 0);
    InvalidateRect(view, nullptr, TRUE);
}

void PronunciationPanel::cell_text(ListKind kind, NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return;
    const std::vector<std::u16string> cells = row_texts(state_, kind, static_cast<std::size_t>(item.iItem));
    const std::size_t column = static_cast<std::size_t>(item.iSubItem);
    cell_ = column < cells.size() ? cells[column] : std::u16string();
    item.pszText = reinterpret_cast<wchar_t*>(cell_.data());
}

void PronunciationPanel::refresh(ListKind kind) {
    fill(kind);
    const HWND view = list_view(kind);
    if (const auto current = current_entry(state_, kind)) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(view, LVM_SETITEMSTATE, *current, reinterpret_cast<LPARAM>(&item));
        SendMessageW(view, LVM_ENSUREVISIBLE, *current, FALSE);
    }
    selection_changed(kind);
}

void PronunciationPanel::show_tab() {
    const auto shown = shown_kind();
    for (std::size_t kind = 0; kind < kListCount; ++kind) {
        if (const HWND view = list_view(static_cast<ListKind>(kind))) {
            ShowWindow(view, shown && index_of(*shown) == static_cast<int>(kind) ? SW_SHOW : SW_HIDE);
        }
    }
    if (shown) selection_changed(*shown);
}

void PronunciationPanel::selection_changed(ListKind kind) {
    const HWND view = list_view(kind);
    const LRESULT row = SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    const bool selected = list_size(state_, kind) > 0 && row >= 0;
    if (selected) select_entry(state_, kind, static_cast<std::size_t>(row));
    EnableWindow(GetDlgItem(window_, ids::kEditButton), selected);
    EnableWindow(GetDlgItem(window_, ids::kDeleteButton), selected);
}

bool PronunciationPanel::notify(NMHDR& header) {
    if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE) {
        show_tab();
        return true;
    }
    const auto kind = list_kind(header.hwndFrom);
    if (!kind) return false;
    if (header.code == LVN_GETDISPINFOW) {
        cell_text(*kind, reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
            selection_changed(*kind);
        }
        return true;
    }
    if (header.code == NM_RCLICK) {
        right_click(*kind);
        return true;
    }
    return false;
}

void PronunciationPanel::right_click(ListKind kind) {
    const HWND view = list_view(kind);
    const LRESULT row = SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0) return;
    select_entry(state_, kind, static_cast<std::size_t>(row));
    const POINT at = kind == ListKind::LatinLetters ? kLatinMenuPosition : kOtherMenuPosition;
    TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

void PronunciationPanel::button(int id) {
    const auto kind = shown_kind();
    if (!kind) return;
    if (id == ids::kAddButton) open_dialog(*kind, DialogVariant::add);
    if (id == ids::kEditButton) open_dialog(*kind, DialogVariant::edit);
    if (id == ids::kDeleteButton) remove(*kind);
}

void PronunciationPanel::menu_item(int id) {
    const auto kind = list_kind(GetFocus());
    if (!kind) return;
    if (id == ids::kMenuAdd) open_dialog(*kind, DialogVariant::add);
    if (id == ids::kMenuEdit) open_dialog(*kind, DialogVariant::edit);
    if (id == ids::kMenuDelete) remove(*kind);
}

void PronunciationPanel::open_dialog(ListKind kind, DialogVariant variant) {
    if (variant == DialogVariant::edit && !has_selected_row(kind)) return;
    const bool changed = kind == ListKind::Symbols ? run_symbol_dialog(window_, state_, variant, ui_)
                                                   : run_entry_dialog(window_, state_, kind, variant, ui_);
    if (changed) refresh(kind);
}

void PronunciationPanel::remove(ListKind kind) {
    if (!has_selected_row(kind)) return;
    if (delete_entry(state_, kind, ui_)) refresh(kind);
}

void PronunciationPanel::language_chosen() {
    const LRESULT selected = SendMessageW(GetDlgItem(window_, ids::kLanguageList), CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR || static_cast<std::size_t>(selected) >= kLanguageCount) return;
    state_.language = static_cast<std::size_t>(selected);
    for (std::size_t kind = 0; kind < kListCount; ++kind) {
        if (list_view(static_cast<ListKind>(kind))) fill(static_cast<ListKind>(kind));
    }
    show_tab();
}

void PronunciationPanel::dictionary_tab(DictionaryTabChange change) {
    constexpr ListKind kind = ListKind::UserDictionaryList;
    if (change == DictionaryTabChange::append) {
        insert_tab(tabs_, kind);
        create_list_view(kind);
        fill(kind);
    } else if (change == DictionaryTabChange::remove) {
        const bool was_shown = shown_kind() == kind;
        SendMessageW(tabs_, TCM_DELETEITEM, index_of(kind), 0);
        DestroyWindow(list_view(kind));
        if (was_shown) {
            SendMessageW(tabs_, TCM_SETCURSEL, 0, 0);
            show_tab();
        }
    }
}

}  // namespace vl
