#pragma once
// A long text is prepared piece by piece, so that every stage works on text
// that stays in the processor's cache and a request of any length costs the
// same per character. A piece ends after a line feed or a blank that no stage
// reads across: not a symbol and in no source of a rewrite list the request
// applies, as written and as the blank a line feed becomes. Such a character
// is never rewritten (the number stage only writes ‹ ,› before a blank), no
// match spans it, and the stages that look at a neighbour (numbers, letter
// runs, the lone letters of a spelling stage) treat it like the edge of the
// text, so the pieces prepared one by one give exactly what the whole text
// gives.
#include <cstddef>
#include <string_view>

#include "textprep/pronunciation_tables.h"

namespace vl {

class TextPieces {
public:
    // spelling: the request applies the language's spelling list.
    TextPieces(const PronunciationTables& tables, bool spelling);

    // The end of the piece that starts at `start`: just after the last boundary
    // within `length` characters, else after the first one beyond, else the
    // end of the text.
    size_t piece_end(std::u16string_view text, size_t start, size_t length) const;

private:
    bool is_boundary(char16_t c) const { return (c == u'\n' && line_feed_ends_) || (c == u' ' && blank_ends_); }

    bool line_feed_ends_;
    bool blank_ends_;
};

}  // namespace vl
