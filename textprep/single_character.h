#pragma once
// A text of one character is read by the name of that character.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

std::u16string read_single_character(std::u16string_view text, const PronunciationTables& tables);

}  // namespace vl
