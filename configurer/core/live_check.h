#pragma once
// What an editing dialog does on each change of a field's text and around its
// OK button: the error position, the label to show, the OK button's state.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "configurer/core/configurer_state.h"
#include "configurer/core/field_check.h"
#include "configurer/core/list_operations.h"

namespace vl {

struct FieldCheck {
    std::size_t error_position = 0;               // 1-based; 0 when the text is fine or empty
    std::optional<std::u16string> error_label;     // shown under the field (with a beep) when set
    bool ok_enabled = false;
};

// The check after the text of `field` changed to `text`; `other` is the text of
// the other field; the list is one of `language`. OK is enabled only while both
// fields are filled and neither holds a refused character (an apostrophe that
// ends a word is shown as no error while typing, but keeps OK disabled). The
// symbol dialog is kind Symbols.
FieldCheck check_field(ListKind kind, DialogVariant variant, Field field, std::u16string_view text,
                       std::u16string_view other, const Language& language);

// The OK button when the dialog opens: disabled when adding; when editing only
// when both fields are empty.
bool ok_enabled_at_start(DialogVariant variant, std::u16string_view source, std::u16string_view replacement);

// Only the add variant of the entry dialog removes the error label at every key
// press, so that it shows an error of the latest change alone.
bool key_press_clears_error_label(ListKind kind, DialogVariant variant);

}  // namespace vl
