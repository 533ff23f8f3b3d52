#pragma once
// The add, edit and delete operations of the pronunciation lists as model
// operations: what the OK button of an editing dialog and the delete command
// do, with their checks and messages. A successful change sets `modified` and
// moves the list's current element: to the new last element after an add, the
// edited one after an edit, the one before the deleted one after a delete.
#include <cstdint>
#include <string_view>

#include "configurer/core/configurer_state.h"
#include "configurer/core/user_interface.h"

namespace vl {

enum class DialogVariant { add, edit };

// What the dialog does after its OK button.
enum class DialogOutcome {
    stays_open,        // a refusal the user can correct
    closed_unchanged,  // closed, the list as it was (a duplicate)
    closed_changed,    // closed, the list changed
};

// The entry dialog (every kind but Symbols), in this order: an empty source, an
// empty replacement, a character that the field's rule (for the lists'
// language) refuses or its file cannot hold (the dialog stays open), then a
// source equal, after lower-casing and with every apostrophe form as one, to
// another element's: adding then closes the dialog with nothing added,
// editing keeps it open. Sources and replacements are stored in lower case.
// Each refusal shows its error message through ui. Add and edit, the OK button
// and Enter all come here, so no entry escapes the checks.
DialogOutcome confirm_entry_dialog(ConfigurerState& state, ListKind kind, DialogVariant variant,
                                   std::u16string_view source, std::u16string_view replacement, UserInterface& ui);

// The symbol dialog: the same checks, with an exact comparison of symbols. The
// symbol is stored as typed, the replacement in lower case.
DialogOutcome confirm_symbol_dialog(ConfigurerState& state, DialogVariant variant, std::u16string_view symbol,
                                    std::u16string_view replacement, uint8_t when, UserInterface& ui);

// Asks whether to delete the current element (Yes and No); on Yes removes it
// and returns true. Nothing happens without a current element.
bool delete_entry(ConfigurerState& state, ListKind kind, UserInterface& ui);

// Makes the element at index current (a row selected in the list view); none
// when the index is outside the list.
void select_entry(ConfigurerState& state, ListKind kind, std::optional<std::size_t> index);
std::optional<std::size_t> current_entry(const ConfigurerState& state, ListKind kind);
std::size_t list_size(const ConfigurerState& state, ListKind kind);

}  // namespace vl
