#pragma once
// A text of one character is read by the name of that character.
#include <string>
#include <string_view>

#include "textprep/pronunciation_tables.h"

namespace vl {

// Appends the name of `c` read alone: its symbol name whatever the always flag,
// else the letter name of its lower case, else its lower case. No blanks added.
void append_character_name(std::u16string& out, char16_t c, const PronunciationTables& tables);

// The name of the one character of `text`; any other text is returned unchanged.
std::u16string read_single_character(std::u16string_view text, const PronunciationTables& tables);

}  // namespace vl
