#include "bridge/request_pieces.h"

#include <algorithm>
#include <utility>

#include "base/char_class.h"
#include "base/utf.h"

namespace vl::bridge {
namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Each piece but a text's last is at least this long.
constexpr size_t kShortestPiece = kPieceUnits - kCutSearch;

size_t slots_of(const TextFragment& fragment) {
    const size_t units = fragment.text.size();
    return units <= kPieceUnits ? 1 : (units + kShortestPiece - 1) / kShortestPiece;
}

// Where the piece of `text` that starts at `from` ends, and where the next
// one starts.
std::pair<size_t, size_t> piece_end(std::u16string_view text, size_t from) {
    const size_t limit = from + kPieceUnits;
    if (limit >= text.size()) return {text.size(), text.size()};
    for (size_t cut = limit - 1; cut > limit - kCutSearch; --cut) {
        if (text[cut] == u' ' && (is_letter(text[cut - 1]) || is_digit(text[cut - 1])) && !is_blank(text[cut + 1])) {
            return {cut, cut + 1};
        }
    }
    const size_t cut = is_low_surrogate(text[limit]) ? limit - 1 : limit;
    return {cut, cut};
}

}  // namespace

RequestPieces::RequestPieces(std::span<const TextFragment> fragments) : fragments_(fragments) {
    for (const TextFragment& fragment : fragments) slots_ += slots_of(fragment);
    start_fragment();
}

void RequestPieces::start_fragment() {
    if (done()) return;
    slots_left_ = slots_of(fragments_[fragment_]);
    offset_ = 0;
    text_left_ = true;
}

TextFragment RequestPieces::next_slot() {
    const TextFragment& fragment = fragments_[fragment_];
    TextFragment slot = fragment;
    const auto [end, next] = text_left_ ? piece_end(fragment.text, offset_) : std::pair{offset_, offset_};
    slot.text = fragment.text.substr(offset_, end - offset_);
    slot.source_offset = fragment.source_offset + static_cast<uint32_t>(offset_);
    text_left_ = end < fragment.text.size();
    offset_ = text_left_ ? next : fragment.text.size();
    if (--slots_left_ == 0) {
        ++fragment_;
        start_fragment();
    }
    return slot;
}

std::vector<TextFragment> RequestPieces::next_batch() {
    std::vector<TextFragment> batch;
    size_t units = 0;
    while (!done() && batch.size() < kBatchFragments) {
        // The next piece's text is at most a piece long: the batch stops
        // before it when the two might not fit together.
        const size_t next_units = std::min(kPieceUnits, fragments_[fragment_].text.size() - offset_);
        if (!batch.empty() && units + next_units > kPieceUnits) break;
        batch.push_back(next_slot());
        units += batch.back().text.size();
    }
    return batch;
}

}  // namespace vl::bridge
