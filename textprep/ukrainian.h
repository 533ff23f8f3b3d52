#pragma once
// Ukrainian spelling is rewritten into letters read the Ukrainian way.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

std::u16string prepare_ukrainian(std::u16string_view text, const PronunciationTables& tables);

}  // namespace vl
