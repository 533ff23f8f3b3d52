// The symbol dialog: a symbol, how to read it, and when.
#include "configurer/core/dialog_texts.h"
#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"
#include "configurer/win32/control_ids.h"
#include "configurer/win32/editing_dialog.h"
#include "configurer/win32/wide_text.h"

#include <commctrl.h>

namespace vl {

namespace {

void build_when_list(HWND dialog, uint8_t when) {
    create_control(dialog, WC_STATICW, texts::kWhenLabel, SS_LEFT | SS_NOPREFIX, {475, 20, 120, 20}, ids::kWhenLabel);
    const HWND list = create_control(dialog, WC_COMBOBOXW, u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                     {596, 20, 230, 120}, ids::kWhenList);
    for (const uint8_t code : {kWhenSpelling, kWhenAlways}) {
        const std::u16string text = when_text(code);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(text)));
    }
    SendMessageW(list, CB_SETCURSEL, when, 0);
}

}  // namespace

bool run_symbol_dialog(HWND owner, ConfigurerState& state, DialogVariant variant, Win32UserInterface& ui) {
    SymbolEntry entry;
    const auto& list = state.lists().symbols;
    if (variant == DialogVariant::edit && list.has_current()) {
        entry = list.entries[*list.current];
    }
    const DialogLayout layout{
        ListKind::Symbols,
        kLanguages[state.language],
        variant,
        {840, 240},
        {{10, 20, 80, 20}, source_label(ListKind::Symbols), {91, 20, 20, 20}, texts::kSymbolTooltip, entry.symbol},
        {{113, 20, 160, 20}, replacement_label(ListKind::Symbols), {374, 20, 100, 20},
         texts::kSymbolReplacementTooltip, entry.replacement},
        [when = entry.when](HWND dialog) { build_when_list(dialog, when); },
    };
    return run_editing_dialog(owner, layout, ui, [&](const DialogValues& values) {
        return confirm_symbol_dialog(state, variant, values.source, values.replacement, values.when, ui);
    });
}

}  // namespace vl
