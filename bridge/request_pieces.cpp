#include "bridge/request_pieces.h"

#include <utility>

#include "base/char_class.h"

namespace vl::bridge {
namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Where the piece of `text` that starts at `from` ends, and where the next
// one starts.
std::pair<size_t, size_t> piece_end(std::u16string_view text, size_t from) {
    const size_t limit = from + kPieceUnits;
    if (limit >= text.size()) return {text.size(), text.size()};
    for (size_t cut = limit - 1; cut > from; --cut) {
        if (text[cut] == u' ' && (is_letter(text[cut - 1]) || is_digit(text[cut - 1])) && !is_blank(text[cut + 1])) {
            return {cut, cut + 1};
        }
    }
    const size_t cut = is_low_surrogate(text[limit]) ? limit - 1 : limit;
    return {cut, cut};
}

}  // namespace

std::vector<TextFragment> request_pieces(std::span<const TextFragment> fragments) {
    std::vector<TextFragment> pieces;
    pieces.reserve(fragments.size());
    for (const TextFragment& fragment : fragments) {
        for (size_t from = 0;;) {
            const auto [end, next] = piece_end(fragment.text, from);
            TextFragment piece = fragment;
            piece.text = fragment.text.substr(from, end - from);
            piece.source_offset = fragment.source_offset + static_cast<uint32_t>(from);
            pieces.push_back(piece);
            if (end == fragment.text.size()) break;
            from = next;
        }
    }
    return pieces;
}

size_t batch_end(std::span<const TextFragment> pieces, size_t from) {
    size_t units = 0;
    size_t end = from;
    while (end < pieces.size() && end - from < kBatchFragments &&
           (end == from || units + pieces[end].text.size() <= kPieceUnits)) {
        units += pieces[end].text.size();
        ++end;
    }
    return end;
}

}  // namespace vl::bridge
