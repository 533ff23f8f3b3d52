#pragma once
// The text preparation pipeline: the text of one speak request becomes the
// text the synthesis engine reads aloud.
#include <memory>
#include <string>
#include <string_view>

#include "contract/languages.h"
#include "textprep/pronunciation_tables.h"
#include "textprep/user_dictionary.h"

namespace vl {

// How much the English rewrite list may grow a text: once the text is longer
// than this many times the text the stages were given, the list's remaining
// rewrites are skipped for it. The longest default reading of one character is
// the name of the left-to-right mark with its blanks, 22 characters; 32 leaves
// room for the rewrites after it, while a hostile pronunc.dic (an entry whose
// replacement holds its source, repeated) can no longer double the text per
// entry.
inline constexpr size_t kMaxTextGrowth = 32;

// Everything one request reads: a consistent snapshot taken at its start.
struct PrepareContext {
    std::u16string_view language;  // the voice token's language code, such as "419"
    int32_t use_dictionary = 0;
    int32_t disable_decimal_separator = 0;
    const PronunciationTables& tables;
    const UserDictionary& dictionary;
};

// The whole preparation. A long text goes through the stages piece by piece
// (textprep/text_pieces.h), with the result prepare_stages gives for it whole.
std::u16string prepare_text(std::u16string_view text, const PrepareContext& context);

// The stages after the single-character reading, over the text as one piece.
std::u16string prepare_stages(std::u16string_view text, const PrepareContext& context);

}  // namespace vl
