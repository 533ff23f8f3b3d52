#pragma once
// Symbols become their names, or a blank.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

std::u16string replace_symbols(std::u16string_view text, const PronunciationTables& tables);

}  // namespace vl
