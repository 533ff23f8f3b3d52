#pragma once
// The modal window shared by the two editing dialogs: two checked text fields
// with their labels, an optional "when" list, OK and Cancel, the live error
// label, Enter and Escape. What the fields allow and what OK does come from the
// core; entry_dialog.cpp and symbol_dialog.cpp give the layout.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "configurer/core/configurer_state.h"
#include "configurer/core/list_operations.h"
#include "configurer/win32/controls.h"
#include "configurer/win32/win32_ui.h"

namespace vl {

struct DialogField {
    Place label_place;
    std::u16string label;  // expanded
    Place field_place;
    std::u16string_view tooltip;  // stored text
    std::u16string text;          // the text the field opens with
};

struct DialogLayout {
    ListKind kind;  // Symbols for the symbol dialog
    const Language& language;  // whose lists the dialog edits
    DialogVariant variant;
    SIZE client;
    DialogField source;
    DialogField replacement;
    // Builds the controls between the replacement field and the OK button.
    std::function<void(HWND dialog)> build_extra;
};

struct DialogValues {
    std::u16string source;
    std::u16string replacement;
    uint8_t when = kWhenSpelling;  // the "when" list's index, when there is one
};

// Runs the dialog over owner until OK closes it or it is cancelled; confirm is
// the core's OK handler. True when the list changed.
bool run_editing_dialog(HWND owner, const DialogLayout& layout, Win32UserInterface& ui,
                        const std::function<DialogOutcome(const DialogValues&)>& confirm);

// The entry dialog (every kind but Symbols) and the symbol dialog, add or edit
// the current element. True when the list changed.
bool run_entry_dialog(HWND owner, ConfigurerState& state, ListKind kind, DialogVariant variant,
                      Win32UserInterface& ui);
bool run_symbol_dialog(HWND owner, ConfigurerState& state, DialogVariant variant, Win32UserInterface& ui);

}  // namespace vl
