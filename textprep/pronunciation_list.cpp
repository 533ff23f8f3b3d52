#include "textprep/pronunciation_list.h"

#include <cstdint>
#include <vector>

#include "base/lowercase.h"

namespace vl {
namespace {

// The text being rewritten, its lower case (where sources are searched) and
// one protection flag per character (no flags at all until a replacement).
struct MarkedText {
    std::u16string text;
    std::u16string lowered;
    std::vector<uint8_t> protection;

    bool is_protected(size_t i) const { return !protection.empty() && protection[i] != 0; }
    void append(const MarkedText& from, size_t first, size_t last) {
        text.append(from.text, first, last - first);
        lowered.append(from.lowered, first, last - first);
        if (from.protection.empty()) {
            protection.resize(protection.size() + (last - first), 0);
        } else {
            protection.insert(protection.end(), from.protection.begin() + first, from.protection.begin() + last);
        }
    }
};

// Replaces every occurrence of one source, left to right without overlaps; the
// replacements become protected, every other character keeps its flag.
void replace_all(MarkedText& marked, const Rewrite& entry) {
    const std::u16string lower_source = to_lower(entry.source);
    size_t match = marked.lowered.find(lower_source);
    if (match == std::u16string::npos) return;

    const std::u16string lower_replacement = to_lower(entry.replacement);
    MarkedText next;
    next.text.reserve(marked.text.size() + marked.text.size() / 8 + entry.replacement.size());
    next.lowered.reserve(next.text.capacity());
    next.protection.reserve(next.text.capacity());
    size_t copied = 0;
    while (match != std::u16string::npos) {
        next.append(marked, copied, match);
        next.text += entry.replacement;
        next.lowered += lower_replacement;
        next.protection.insert(next.protection.end(), entry.replacement.size(), 1);
        copied = match + lower_source.size();
        match = marked.lowered.find(lower_source, copied);
    }
    next.append(marked, copied, marked.text.size());
    marked = std::move(next);
}

}  // namespace

std::u16string apply_pronunciation_list(std::u16string_view text, const RewriteList& list) {
    if (list.empty()) return std::u16string(text);

    MarkedText marked{std::u16string(text), to_lower(text), {}};
    for (const Rewrite& entry : list.entries()) {
        if (entry.source.size() > 1) replace_all(marked, entry);
    }

    std::u16string result;
    result.reserve(marked.text.size() + marked.text.size() / 8);
    for (size_t i = 0; i < marked.text.size(); ++i) {
        const std::u16string* replacement =
            marked.is_protected(i) ? nullptr : list.single_character_replacement(marked.lowered[i]);
        if (replacement != nullptr) {
            result += *replacement;
        } else {
            result += marked.text[i];
        }
    }
    return result;
}

}  // namespace vl
