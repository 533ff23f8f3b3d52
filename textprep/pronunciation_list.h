#pragma once
// Replacement of a list of (source, replacement) pairs, as used for a language's spelling.
#include <string>
#include <string_view>

#include "textprep/pronunciation_tables.h"

namespace vl {

// First every source of two or more characters, entry by entry, is replaced
// wherever it occurs (case-insensitively); the text each replacement produces is
// protected and moves with the text as later replacements change its length.
// Then every unprotected character whose lower case is the source of a
// one-character entry becomes the replacement of the first such entry.
std::u16string apply_pronunciation_list(std::u16string_view text, const RewriteList& list);

}  // namespace vl
