#pragma once
// Latin letter combinations become Cyrillic letter sequences.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

// The text is rewritten where it stands: pass it in with std::move.
std::u16string apply_english_pronunciation(std::u16string text, const PronunciationTables& tables);

}  // namespace vl
