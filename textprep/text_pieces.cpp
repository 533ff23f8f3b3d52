#include "textprep/text_pieces.h"

#include <algorithm>

#include "base/lowercase.h"

namespace vl {
namespace {

bool in_a_source(const RewriteList& list, char16_t c) {
    return std::any_of(list.entries().begin(), list.entries().end(),
                       [c](const Rewrite& entry) { return to_lower(entry.source).find(c) != std::u16string::npos; });
}

// `c` is no symbol (its name would be read on into the next piece), in no
// source of the language's spelling list when that is applied, and the blank the later stages
// see of it (a line feed is blanked out) is in no English source.
bool ends_pieces(char16_t c, const PronunciationTables& tables, bool spelling) {
    if (tables.symbols.find(c) != nullptr) return false;
    if (spelling && in_a_source(tables.spelling, c)) return false;
    return !in_a_source(tables.english, u' ');
}

}  // namespace

TextPieces::TextPieces(const PronunciationTables& tables, bool spelling)
    : line_feed_ends_(ends_pieces(u'\n', tables, spelling)), blank_ends_(ends_pieces(u' ', tables, spelling)) {}

size_t TextPieces::piece_end(std::u16string_view text, size_t start, size_t length) const {
    if (text.size() - start <= length) return text.size();
    for (size_t end = start + length; end > start; --end) {
        if (is_boundary(text[end - 1])) return end;
    }
    for (size_t i = start + length; i < text.size(); ++i) {
        if (is_boundary(text[i])) return i + 1;
    }
    return text.size();
}

}  // namespace vl
