#pragma once
// A language's own spelling stage (SpellingRules): its spelling rewritten into
// letters read its way, such as Ukrainian spelling for the Russian letters the
// synthesis library reads.
#include <string>
#include <string_view>

#include "contract/pronunciation_defaults.h"
#include "textprep/pronunciation_tables.h"

namespace vl {

// Each letter standing alone (no letter on either side) that the rules give a
// lone form becomes that form; then the tables' spelling rewrite list is applied.
std::u16string apply_spelling(std::u16string_view text, const SpellingRules& rules, const PronunciationTables& tables);

}  // namespace vl
