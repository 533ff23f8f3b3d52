#pragma once
// Latin letter combinations become Cyrillic letter sequences.
#include <string>
#include <string_view>
#include "textprep/pronunciation_tables.h"
namespace vl {

// The text is rewritten where it stands: pass it in with std::move. Once the
// text is longer than max_length, the rewrites not yet applied are skipped
// (one under way stops where it stands).
std::u16string apply_english_pronunciation(std::u16string text, const PronunciationTables& tables,
                                           size_t max_length = std::u16string::npos);

}  // namespace vl
