#include "configurer/core/live_check.h"

#include "configurer/core/dialog_texts.h"

namespace vl {

FieldCheck check_field(ListKind kind, DialogVariant variant, Field field, std::u16string_view text,
                       std::u16string_view other, const Language& language) {
    FieldCheck check;
    check.error_position = typing_error_position(kind, field, text, language);
    if (check.error_position != 0) {
        check.error_label = invalid_char_label(kind, variant, text[check.error_position - 1]);
        return check;
    }
    const Field other_field = field == Field::source ? Field::replacement : Field::source;
    check.ok_enabled = !text.empty() && !other.empty() && field_error_position(kind, field, text, language) == 0 &&
                       field_error_position(kind, other_field, other, language) == 0;
    return check;
}

bool ok_enabled_at_start(DialogVariant variant, std::u16string_view source, std::u16string_view replacement) {
    return variant == DialogVariant::edit && !(source.empty() && replacement.empty());
}

bool key_press_clears_error_label(ListKind kind, DialogVariant variant) {
    return kind != ListKind::Symbols && variant == DialogVariant::add;
}

}  // namespace vl
