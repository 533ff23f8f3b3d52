#include "tools/vlsay/text_pieces.h"

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

}  // namespace

std::vector<std::u16string_view> speaking_pieces(std::u16string_view text, size_t least) {
    std::vector<std::u16string_view> pieces;
    size_t start = 0;
    for (size_t end = text.find(u'\n', start + least); end != std::u16string_view::npos;
         end = text.find(u'\n', end + 1)) {
        if (!closes_paragraph_or_sentence(text, end) && end + 1 - start < 16 * least) continue;
        pieces.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
        if (start + least > text.size()) break;
        end = start + least - 1;  // the next search starts at start + least
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
