#include "configurer/core/entry_storage.h"

#include <string>

#include "store/settings_file.h"
#include "store/user_dictionary_file.h"

namespace vl {

std::size_t unstorable_position(ListKind kind, Field field, std::u16string_view text) {
    if (kind == ListKind::UserDictionaryList)
        return field == Field::source ? unstorable_word_position(text) : unstorable_pronunciation_position(text);
    if (field == Field::source) return unstorable_key_position(text);
    if (kind != ListKind::Symbols) return unstorable_value_position(text);
    // A symbol's value is "name:when": the name ends at its first ":".
    const std::size_t colon = text.find(u':');
    const std::size_t position = unstorable_value_position(std::u16string(text) + u":0");
    return first_position(position, colon == std::u16string_view::npos ? 0 : colon + 1);
}

}  // namespace vl
