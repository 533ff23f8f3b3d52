#pragma once
// The texts of the lists and dialogs that depend on the list, the variant or an
// entry, ready to show (expanded).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "configurer/core/configurer_state.h"
#include "configurer/core/list_operations.h"

namespace vl {

// The dialog's window title: by kind when adding, with the element's source
// (or symbol) when editing.
std::u16string dialog_title(ListKind kind, DialogVariant variant, std::u16string_view source);
// The labels before the two fields of the entry dialog.
std::u16string source_label(ListKind kind);
std::u16string replacement_label(ListKind kind);
// "Добавить" or "Сохранить".
std::u16string ok_button_text(DialogVariant variant);
// The live error label under a field: naming the character in the add variant
// of the entry dialog, the short form otherwise.
std::u16string invalid_char_label(ListKind kind, DialogVariant variant, char16_t offending);
// The symbol list's third column: "При посимвольном чтении", "Всегда", or
// nothing for other codes.
std::u16string when_text(uint8_t when);
// The cells of a list view's row: source (or symbol) and replacement, and for
// symbols the when_text. Nothing for an index outside the list.
std::vector<std::u16string> row_texts(const ConfigurerState& state, ListKind kind, std::size_t index);

}  // namespace vl
