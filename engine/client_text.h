#pragma once
// Sentences and words of the client's own text, found where the client wrote
// them, so that events can point into that text.
#include <cstddef>
#include <string_view>

namespace vl {

// Blanks, tabs, line ends and the other spaces a client's text separates words with.
bool is_text_space(char16_t c);

// The end of the first sentence that ends in text[from, limit): just after a
// run of ". ! ? …" and the quotes or brackets that close it, when a space or
// the end of the text follows and the next word, found past spaces, dashes and
// closing quotes, does not begin in lower case (‹т. е. так›, ‹«Почему?» —
// спросил он›); a lone full stop after an initial or a common abbreviation
// ends none (‹А. С. Пушкин›, ‹г. Москва›, ‹см. рис. 5›). Or the start of a run
// of spaces that holds an empty line. npos when no sentence ends there. The
// end of the text counts as a space: the driver separates fragments with one.
size_t sentence_end(std::u16string_view text, size_t from, size_t limit);

// The next word at or after `from`: a run of non-space characters without the
// punctuation around it (‹«Да!»› gives ‹Да›). start == end == text.size() when none.
struct WordSpan {
    size_t start = 0;
    size_t end = 0;
};
WordSpan next_word(std::u16string_view text, size_t from);

}  // namespace vl
