#pragma once
// The pronunciation frame: the language choice, a tab panel with one list view
// per list of the chosen language, the "Добавить", "Редактировать" and
// "Удалить" buttons and the context menu.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "configurer/core/configurer_state.h"
#include "configurer/core/list_operations.h"
#include "configurer/core/settings_page.h"
#include "configurer/win32/win32_ui.h"

namespace vl {

// Posted to the main window for a right click on a list view (wParam: its kind).
inline constexpr UINT kListRightClickMessage = WM_APP + 1;

class PronunciationPanel {
public:
    PronunciationPanel(HWND window, ConfigurerState& state, Win32UserInterface& ui);
    ~PronunciationPanel();
    PronunciationPanel(const PronunciationPanel&) = delete;
    PronunciationPanel& operator=(const PronunciationPanel&) = delete;

    // The buttons act on the list of the tab shown; the menu items (context
    // menu, Ctrl+D, Enter, Delete) on the list view with the keyboard focus.
    void button(int id);
    void menu_item(int id);
    void right_click(ListKind kind);
    // WM_NOTIFY from the tab panel or a list view; true when handled (a
    // request for a cell's text is answered in the header's record).
    bool notify(NMHDR& header);
    void dictionary_tab(DictionaryTabChange change);
    // A new choice in the language list: every list view shows that language's lists.
    void language_chosen();

    // The kind of a list view window, if it is one.
    std::optional<ListKind> list_kind(HWND control) const;
    bool has_selected_row(ListKind kind) const;

private:
    HWND list_view(ListKind kind) const;
    std::optional<ListKind> shown_kind() const;
    void create_list_view(ListKind kind);
    void fill(ListKind kind);
    // Answers a list view's request for the text of a cell.
    void cell_text(ListKind kind, NMLVDISPINFOW& request);
    void refresh(ListKind kind);
    void show_tab();
    void selection_changed(ListKind kind);
    // The list's editing dialog; editing needs a selected row.
    void open_dialog(ListKind kind, DialogVariant variant);
    void remove(ListKind kind);

    HWND window_;
    HWND tabs_;
    HMENU menu_;
    ConfigurerState& state_;
    Win32UserInterface& ui_;
    std::u16string cell_;  // the text last handed to a list view, alive until the next request
};

}  // namespace vl
