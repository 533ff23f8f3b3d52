#pragma once
// Words split at case and digit boundaries; abbreviations and lone Latin letters spelled.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

std::u16string read_letter_runs(std::u16string_view text, const PronunciationTables& tables);

}  // namespace vl
