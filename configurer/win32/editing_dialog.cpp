#include "configurer/win32/editing_dialog.h"

#include <commctrl.h>

#include "configurer/core/dialog_texts.h"
#include "configurer/core/live_check.h"
#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/wide_text.h"

namespace vl {

namespace {

constexpr Place kSourceErrorPlace{10, 41, 210, 30};
constexpr Place kReplacementErrorPlace{310, 41, 211, 30};

struct Session {
    const DialogLayout& layout;
    const std::function<DialogOutcome(const DialogValues&)>& confirm;
    std::size_t error_position[2] = {0, 0};  // by Field
    bool done = false;
    bool changed = false;
    HWND focus = nullptr;  // restored when the dialog is activated again
};

Session* session_of(HWND dialog) { return reinterpret_cast<Session*>(GetWindowLongPtrW(dialog, GWLP_USERDATA)); }

HWND field_control(HWND dialog, Field field) {
    return GetDlgItem(dialog, field == Field::source ? ids::kSourceField : ids::kReplacementField);
}

void select_error_or_all(HWND dialog, Session& session, Field field) {
    const std::size_t position = session.error_position[static_cast<int>(field)];
    const HWND control = field_control(dialog, field);
    if (position != 0) {
        SendMessageW(control, EM_SETSEL, position - 1, position);
    } else {
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
}

void field_changed(HWND dialog, Session& session, Field field) {
    const Field other = field == Field::source ? Field::replacement : Field::source;
    const std::u16string text = window_text(field_control(dialog, field));
    const FieldCheck check = check_field(session.layout.kind, session.layout.variant, field, text,
                                         window_text(field_control(dialog, other)), session.layout.language);
    session.error_position[static_cast<int>(field)] = check.error_position;
    EnableWindow(GetDlgItem(dialog, ids::kOkButton), check.ok_enabled);
    if (!check.error_label) return;
    MessageBeep(MB_ICONHAND);
    const HWND label = GetDlgItem(dialog, ids::kErrorLabel);
    const Place place = field == Field::source ? kSourceErrorPlace : kReplacementErrorPlace;
    SetWindowTextW(label, wide(*check.error_label));
    SetWindowPos(label, nullptr, scaled(place.x), scaled(place.y), scaled(place.width), scaled(place.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(label, SW_SHOWNA);
    select_error_or_all(dialog, session, field);
}

void finish(Session& session, bool changed) {
    session.done = true;
    session.changed = changed;
}

void confirm(HWND dialog, Session& session) {
    DialogValues values{window_text(field_control(dialog, Field::source)),
                        window_text(field_control(dialog, Field::replacement))};
    if (const HWND when = GetDlgItem(dialog, ids::kWhenList)) {
        const LRESULT selected = SendMessageW(when, CB_GETCURSEL, 0, 0);
        values.when = static_cast<uint8_t>(selected == CB_ERR ? 0 : selected);
    }
    const DialogOutcome outcome = session.confirm(values);
    if (outcome != DialogOutcome::stays_open) finish(session, outcome == DialogOutcome::closed_changed);
}

LRESULT CALLBACK dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    Session* session = session_of(dialog);
    if (message == WM_CLOSE) {
        if (session) finish(*session, false);
        return 0;
    }
    if (message == WM_NEXTDLGCTL) {
        next_control(dialog, wparam, lparam);
        return 0;
    }
    if (message == WM_ACTIVATE && session) {
        if (LOWORD(wparam) == WA_INACTIVE) {
            session->focus = GetFocus();
        } else if (session->focus && IsChild(dialog, session->focus)) {
            SetFocus(session->focus);
            return 0;
        }
    }
    if (message == WM_COMMAND && session) {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        const Field field = id == ids::kSourceField ? Field::source : Field::replacement;
        if ((id == ids::kSourceField || id == ids::kReplacementField) && code == EN_CHANGE) {
            field_changed(dialog, *session, field);
        } else if ((id == ids::kSourceField || id == ids::kReplacementField) && code == EN_SETFOCUS) {
            select_error_or_all(dialog, *session, field);
        } else if (id == ids::kOkButton && code == BN_CLICKED) {
            confirm(dialog, *session);
        } else if (id == ids::kCancelButton && code == BN_CLICKED) {
            finish(*session, false);
        }
        return 0;
    }
    return DefWindowProcW(dialog, message, wparam, lparam);
}

void register_dialog_class() {
    static const bool registered = [] {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = dialog_procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        window_class.lpszClassName = ids::kDialogClass;
        return RegisterClassExW(&window_class) != 0;
    }();
    (void)registered;
}

void build_field(HWND dialog, const DialogField& field, int label_id, int field_id) {
    create_control_expanded(dialog, WC_STATICW, field.label, SS_LEFT | SS_NOPREFIX, field.label_place, label_id);
    const HWND edit = create_control_expanded(dialog, WC_EDITW, field.text, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                                              field.field_place, field_id);
    add_tooltip(edit, field.tooltip);
}

HWND create_dialog(HWND owner, const DialogLayout& layout, Session& session) {
    register_dialog_class();
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    constexpr DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const SIZE size = window_size_for_client(layout.client.cx, layout.client.cy, style, ex_style);
    RECT owner_rect;
    GetWindowRect(owner, &owner_rect);
    const int x = owner_rect.left + (owner_rect.right - owner_rect.left - size.cx) / 2;
    const int y = owner_rect.top + (owner_rect.bottom - owner_rect.top - size.cy) / 2;
    const std::u16string title =
        dialog_title(layout.kind, layout.variant,
                     layout.variant == DialogVariant::edit ? std::u16string_view(layout.source.text) : u"");
    const HWND dialog = CreateWindowExW(ex_style, ids::kDialogClass, wide(title), style, x, y, size.cx, size.cy,
                                        owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    build_field(dialog, layout.source, ids::kSourceLabel, ids::kSourceField);
    build_field(dialog, layout.replacement, ids::kReplacementLabel, ids::kReplacementField);
    if (layout.build_extra) layout.build_extra(dialog);
    const HWND ok = create_control_expanded(dialog, WC_BUTTONW, ok_button_text(layout.variant), WS_TABSTOP,
                                            {50, 150, 100, 50}, ids::kOkButton);
    EnableWindow(ok, ok_enabled_at_start(layout.variant, layout.source.text, layout.replacement.text));
    create_control(dialog, WC_BUTTONW, texts::kCancelButton, WS_TABSTOP, {350, 150, 100, 50}, ids::kCancelButton);
    const HWND error_label = create_control(dialog, WC_STATICW, u"", SS_LEFT | SS_NOPREFIX, kSourceErrorPlace,
                                            ids::kErrorLabel);
    ShowWindow(error_label, SW_HIDE);
    // Handlers run only once the controls exist.
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
    return dialog;
}

// Input and commands meant for the main window while the dialog is open are dropped.
bool meant_for_owner(const MSG& message, HWND owner) {
    if (message.hwnd != owner && !IsChild(owner, message.hwnd)) return false;
    return (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
           (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
           message.message == WM_COMMAND || message.message >= WM_APP;
}

// Enter clicks OK (also while it is disabled), Escape clicks Cancel.
bool dialog_key(HWND dialog, Session& session, const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.hwnd != dialog && !IsChild(dialog, message.hwnd))) return false;
    if (key_press_clears_error_label(session.layout.kind, session.layout.variant)) {
        ShowWindow(GetDlgItem(dialog, ids::kErrorLabel), SW_HIDE);
    }
    if (message.wParam == VK_RETURN) {
        confirm(dialog, session);
        return true;
    }
    if (message.wParam == VK_ESCAPE) {
        finish(session, false);
        return true;
    }
    return false;
}

}  // namespace

bool run_editing_dialog(HWND owner, const DialogLayout& layout, Win32UserInterface& ui,
                        const std::function<DialogOutcome(const DialogValues&)>& confirm_values) {
    Session session{layout, confirm_values};
    const HWND dialog = create_dialog(owner, layout, session);
    const HWND previous_owner = ui.owner;
    ui.owner = dialog;
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(field_control(dialog, Field::source));
    MSG message;
    bool quit = false;
    while (!session.done) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (meant_for_owner(message, owner)) continue;
        if (dialog_key(dialog, session, message)) continue;
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ui.owner = previous_owner;
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
    DestroyWindow(dialog);
    if (quit) PostQuitMessage(static_cast<int>(message.wParam));
    return session.changed;
}

}  // namespace vl
