#include "configurer/win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "configurer/core/startup.h"
#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/controls.h"
#include "configurer/win32/main_window_layout.h"
#include "configurer/win32/pronunciation_panel.h"
#include "configurer/win32/settings_controls.h"
#include "configurer/win32/wide_text.h"

namespace vl {

namespace {

struct MainWindow {
    ConfigurerState& state;
    const std::filesystem::path& application_data;
    Win32UserInterface& ui;
    HWND window = nullptr;
    std::unique_ptr<PronunciationPanel> panel;
    HWND focus = nullptr;  // restored when the window is activated again
};

MainWindow* main_window_of(HWND window) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::filesystem::path program_folder() {
    wchar_t file[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, file, MAX_PATH);
    return std::filesystem::path(std::wstring(file, length)).parent_path();
}

void open_documentation(MainWindow& main) {
    if (const auto document = find_documentation(program_folder())) {
        ShellExecuteW(main.window, L"open", document->wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    main.ui.message_box(documentation_missing_message());
}

// Posts the click of a button, as a shortcut does.
void post_click(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void command(MainWindow& main, int id, int code) {
    if (const auto change = settings_command(main.window, main.state, id, code)) {
        main.panel->dictionary_tab(*change);
        return;
    }
    switch (id) {
        case ids::kApplyButton: apply_button(main.state, main.application_data, main.ui); break;
        case ids::kDocumentationButton: open_documentation(main); break;
        case ids::kLanguageList:
            if (code == CBN_SELCHANGE) main.panel->language_chosen();
            break;
        case ids::kAddButton:
        case ids::kEditButton:
        case ids::kDeleteButton: main.panel->button(id); break;
        case ids::kMenuAdd:
        case ids::kMenuEdit:
        case ids::kMenuDelete: main.panel->menu_item(id); break;
        case ids::kShortcutApply: post_click(main.window, ids::kApplyButton); break;
        case ids::kShortcutDocumentation: post_click(main.window, ids::kDocumentationButton); break;
        case ids::kShortcutAdd: PostMessageW(main.window, WM_COMMAND, MAKEWPARAM(ids::kMenuAdd, 0), 0); break;
        default: break;
    }
}

LRESULT CALLBACK main_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    MainWindow* main = main_window_of(window);
    if (!main || !main->panel) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_COMMAND: command(*main, LOWORD(wparam), HIWORD(wparam)); return 0;
        case WM_HSCROLL: settings_scroll(window, main->state, reinterpret_cast<HWND>(lparam)); return 0;
        case WM_NOTIFY: main->panel->notify(*reinterpret_cast<NMHDR*>(lparam)); return 0;
        case kListRightClickMessage: main->panel->right_click(static_cast<ListKind>(wparam)); return 0;
        case WM_CONTEXTMENU:
            // Made by the keyboard (Shift+F10) in the focused list view: the same as the context-menu key.
            // (Forwarded by the tab panel, wparam may name the panel.) A mouse right click has already
            // shown the menu through NM_RCLICK.
            if (lparam == -1) {
                if (const auto kind = main->panel->list_kind(GetFocus())) {
                    main->panel->right_click(*kind);
                    return 0;
                }
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                main->focus = GetFocus();
            } else if (main->focus && IsWindow(main->focus)) {
                SetFocus(main->focus);
                return 0;
            }
            break;
        case WM_CLOSE:
            if (close_configurer(main->state, main->application_data, main->ui)) DestroyWindow(window);
            return 0;
        case WM_NEXTDLGCTL: next_control(window, wparam, lparam); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

HWND create_main_window(MainWindow& main) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = main_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = ids::kMainWindowClass;
    RegisterClassExW(&window_class);
    // A title bar and a close box; neither resizable nor minimizable.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD ex_style = WS_EX_CONTROLPARENT;
    fit_to_work_area(layout::kClientWidth, layout::kClientHeight, style, ex_style);
    const SIZE size = window_size_for_client(layout::kClientWidth, layout::kClientHeight, style, ex_style);
    const std::u16string title = expand_text(texts::kMainWindowTitle);
    return CreateWindowExW(ex_style, ids::kMainWindowClass, wide(title), style, 0, 0, size.cx, size.cy, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The frames are drawn beneath the controls they hold; they take no focus, so
// the tab order stays the creation order.
void build_controls(MainWindow& main) {
    const HWND window = main.window;
    const HWND general = create_control(window, WC_BUTTONW, texts::kGeneralFrame, BS_GROUPBOX | WS_CLIPSIBLINGS,
                                        layout::kGeneralFrame, ids::kGeneralFrame);
    build_settings_controls(window, main.state);
    create_control(window, WC_BUTTONW, texts::kDocumentationButton, WS_TABSTOP, layout::kDocumentationButton,
                   ids::kDocumentationButton);
    create_control(window, WC_BUTTONW, texts::kApplyButton, WS_TABSTOP, layout::kApplyButton, ids::kApplyButton);
    const HWND pronunciations = create_control(window, WC_BUTTONW, texts::kPronunciationsFrame,
                                               BS_GROUPBOX | WS_CLIPSIBLINGS, layout::kPronunciationsFrame,
                                               ids::kPronunciationsFrame);
    main.panel = std::make_unique<PronunciationPanel>(window, main.state, main.ui);
    for (const HWND frame : {pronunciations, general}) {
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

HACCEL create_shortcuts() {
    ACCEL shortcuts[] = {
        {FVIRTKEY | FCONTROL, 'S', ids::kShortcutApply},
        {FVIRTKEY | FCONTROL, 'D', ids::kShortcutAdd},
        {FVIRTKEY, VK_F1, ids::kShortcutDocumentation},
    };
    return CreateAcceleratorTableW(shortcuts, static_cast<int>(std::size(shortcuts)));
}

// The context-menu key, Enter and Delete in a list view become the right
// click, edit (or add, with no row selected) and delete events.
bool list_view_key(MainWindow& main, const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return false;
    const auto kind = main.panel->list_kind(message.hwnd);
    if (!kind) return false;
    const bool down = message.message == WM_KEYDOWN;
    switch (message.wParam) {
        case VK_APPS:
            if (down) PostMessageW(main.window, kListRightClickMessage, static_cast<WPARAM>(*kind), 0);
            return true;
        case VK_RETURN: {
            const int item = main.panel->has_selected_row(*kind) ? ids::kMenuEdit : ids::kMenuAdd;
            if (down) PostMessageW(main.window, WM_COMMAND, MAKEWPARAM(item, 0), 0);
            return true;
        }
        case VK_DELETE:
            if (down) PostMessageW(main.window, WM_COMMAND, MAKEWPARAM(ids::kMenuDelete, 0), 0);
            return true;
        default: return false;
    }
}

// Tab and Shift+Tab follow the creation order, into the tab panel's list views.
bool tab_key(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || (GetKeyState(VK_CONTROL) & 0x8000)) return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    if (const HWND next = next_tab_stop(window, GetFocus(), GetKeyState(VK_SHIFT) & 0x8000)) SetFocus(next);
    return true;
}

}  // namespace

int run_main_window(ConfigurerState& state, const std::filesystem::path& application_data, Win32UserInterface& ui) {
    MainWindow main{state, application_data, ui, nullptr, nullptr, nullptr};
    main.window = create_main_window(main);
    if (!main.window) return 1;
    build_controls(main);
    SetWindowLongPtrW(main.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&main));
    ui.owner = main.window;
    const HACCEL shortcuts = create_shortcuts();
    ShowWindow(main.window, SW_SHOW);
    UpdateWindow(main.window);
    SetFocus(GetDlgItem(main.window, ids::kSampleRateSlider));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (list_view_key(main, message)) continue;
        if (tab_key(main.window, message)) continue;
        if (TranslateAcceleratorW(main.window, shortcuts, &message)) continue;
        if (IsDialogMessageW(main.window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyAcceleratorTable(shortcuts);
    return static_cast<int>(message.wParam);
}

}  // namespace vl
