#include "tools/vlsay/text_pieces.h"

#include <algorithm>

#include "base/utf.h"
#include "engine/client_text.h"

namespace vl {

namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }

// Whether the line that ends at `end` (a line break) closes a sentence, or an
// empty line follows it.
bool closes_paragraph_or_sentence(std::u16string_view text, size_t end) {
    size_t next = end + 1;
    while (next < text.size() && is_blank(text[next])) ++next;
    if (next < text.size() && text[next] == u'\n') return true;
    size_t last = end;
    while (last > 0 && is_blank(text[last - 1])) --last;
    if (last == 0) return false;
    const char16_t c = text[last - 1];
    return c == u'.' || c == u'!' || c == u'?' || c == u'\u2026';
}

// Where the piece that starts at `start` ends, npos when the rest is the last
// piece. Only the 16 × least characters after `start` are looked at.
size_t piece_end(std::u16string_view text, size_t start, size_t least) {
    const size_t from = start + least;
    if (from >= text.size()) return std::u16string_view::npos;
    const size_t longest = std::min(text.size(), start + 16 * least);
    const size_t sentence = sentence_end(text, from, longest);
    const size_t lines_until = sentence == std::u16string_view::npos ? longest : sentence + 1;
    for (size_t end = from; end < lines_until; ++end) {
        if (text[end] == u'\n' && closes_paragraph_or_sentence(text, end)) return end + 1;
    }
    if (sentence != std::u16string_view::npos) return sentence;
    if (longest == text.size()) return std::u16string_view::npos;
    // No sentence ends in reach: the last line break, else the last blank, else anywhere.
    const std::u16string_view reach = text.substr(from, longest - from);
    if (const size_t line = reach.rfind(u'\n'); line != std::u16string_view::npos) return from + line + 1;
    if (const size_t blank = reach.find_last_of(u" \t"); blank != std::u16string_view::npos) return from + blank + 1;
    return is_high_surrogate(text[longest - 1]) ? longest - 1 : longest;
}

}  // namespace

std::vector<std::u16string_view> speaking_pieces(std::u16string_view text, size_t least) {
    least = std::max<size_t>(least, 1);
    std::vector<std::u16string_view> pieces;
    size_t start = 0;
    for (size_t end = piece_end(text, start, least); end != std::u16string_view::npos;
         end = piece_end(text, start, least)) {
        pieces.push_back(text.substr(start, end - start));
        start = end;
    }
    if (start < text.size()) {
        if (!pieces.empty() && text.size() - start < least)
            pieces.back() = std::u16string_view(pieces.back().data(), text.data() + text.size() - pieces.back().data());
        else
            pieces.push_back(text.substr(start));
    }
    return pieces;
}

}  // namespace vl
