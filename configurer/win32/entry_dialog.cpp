// The entry dialog: letters, combinations and user dictionary words.
#include "configurer/core/dialog_texts.h"
#include "configurer/core/texts.h"
#include "configurer/win32/editing_dialog.h"

namespace vl {

bool run_entry_dialog(HWND owner, ConfigurerState& state, ListKind kind, DialogVariant variant,
                      Win32UserInterface& ui) {
    PronunciationEntry entry;
    const auto& list = state.entry_list(kind);
    if (variant == DialogVariant::edit && list.has_current()) {
        entry = list.entries[*list.current];
    }
    const DialogLayout layout{
        kind,
        kLanguages[state.language],
        variant,
        {640, 240},
        {{10, 10, 160, 30}, source_label(kind), {171, 10, 50, 30}, texts::kSourceTooltip, entry.source},
        {{310, 10, 160, 30}, replacement_label(kind), {471, 10, 50, 30}, texts::kReplacementTooltip,
         entry.replacement},
        nullptr,
    };
    return run_editing_dialog(owner, layout, ui, [&](const DialogValues& values) {
        return confirm_entry_dialog(state, kind, variant, values.source, values.replacement, ui);
    });
}

}  // namespace vl
