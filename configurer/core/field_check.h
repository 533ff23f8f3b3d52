#pragma once
// Which characters the fields of the editing dialogs allow. The letters and
// digits are text preparation's own classes (base/char_class.h).
#include <cstddef>
#include <string_view>

#include "base/char_class.h"
#include "configurer/core/configurer_state.h"
#include "contract/languages.h"
#include "store/settings_file.h"

namespace vl {

// A digit, a Latin letter or a Cyrillic character.
inline bool is_alphanumeric(char16_t c) { return is_digit(c) || is_letter(c); }

// Character classes of a field, a bit set; 0 alone means "not alphanumeric".
inline constexpr unsigned kNotAlphanumeric = 0;
inline constexpr unsigned kLatin = 1;
inline constexpr unsigned kCyrillic = 2;  // U+0400..U+052F
inline constexpr unsigned kDigits = 4;

// The 1-based position of the first character that is not allowed, 0 when all
// are (an empty text yields 0). A character is allowed by one of the set class
// bits (with classes 0: when it is not alphanumeric), or when extra holds it.
std::size_t find_invalid_char(std::u16string_view text, unsigned classes, std::u16string_view extra);

enum class Field { source, replacement };

struct FieldRule {
    unsigned classes;
    std::u16string_view extra;
};

// What the field of a list's dialog allows: sources by the list (Latin,
// Cyrillic, Latin, not alphanumeric, Latin or Cyrillic); replacements
// Cyrillic with "+- ", or "+=-" in the user dictionary. The dictionary of a
// language whose voices look words up as written (Ukrainian) also takes the
// apostrophe in its three forms ' ’ ʼ in words, between two letters.
FieldRule field_rule(ListKind kind, Field field, const Language& language);

// The error position the dialog keeps for a field of a list of `language`: 0
// for an empty text, else the first character the field's rule refuses, an
// apostrophe without a letter on each side, or a character its file cannot
// hold (configurer/core/entry_storage.h). Every path that stores an entry checks it.
std::size_t field_error_position(ListKind kind, Field field, std::u16string_view text, const Language& language);

// The error position while the field is being typed: the same, except that an
// apostrophe may end a word for now, since its next letter is still to come.
std::size_t typing_error_position(ListKind kind, Field field, std::u16string_view text, const Language& language);

}  // namespace vl
