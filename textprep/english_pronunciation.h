#pragma once
// Latin letter combinations become Cyrillic letter sequences.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

std::u16string apply_english_pronunciation(std::u16string_view text, const PronunciationTables& tables);

}  // namespace vl
