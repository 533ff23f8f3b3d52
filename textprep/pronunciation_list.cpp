#include "textprep/pronunciation_list.h"

#include <cstdint>
#include <vector>

#include "base/lowercase.h"

namespace vl {
namespace {

// The text being rewritten, with one protection flag per character (no flags
// at all until the first replacement).
struct MarkedText {
    std::u16string text;
    std::vector<uint8_t> protection;

    bool is_protected(size_t i) const { return !protection.empty() && protection[i] != 0; }
};

bool matches_at(std::u16string_view text, size_t at, std::u16string_view lower_source) {
    if (text.size() - at < lower_source.size()) return false;
    for (size_t k = 0; k < lower_source.size(); ++k) {
        if (to_lower(text[at + k]) != lower_source[k]) return false;
    }
    return true;
}

size_t find_match(std::u16string_view text, size_t from, std::u16string_view lower_source) {
    for (size_t i = from; i < text.size(); ++i) {
        if (matches_at(text, i, lower_source)) return i;
    }
    return std::u16string_view::npos;
}

// Replaces every occurrence of one source, left to right without overlaps; the
// replacements become protected, every other character keeps its flag.
void replace_all(MarkedText& marked, const Rewrite& entry) {
    const std::u16string lower_source = to_lower(entry.source);
    size_t match = find_match(marked.text, 0, lower_source);
    if (match == std::u16string_view::npos) return;

    MarkedText next;
    next.text.reserve(marked.text.size() + entry.replacement.size());
    next.protection.reserve(next.text.capacity());
    size_t copied = 0;
    while (match != std::u16string_view::npos) {
        for (size_t i = copied; i < match; ++i) {
            next.text += marked.text[i];
            next.protection.push_back(marked.is_protected(i));
        }
        next.text += entry.replacement;
        next.protection.insert(next.protection.end(), entry.replacement.size(), 1);
        copied = match + lower_source.size();
        match = find_match(marked.text, copied, lower_source);
    }
    for (size_t i = copied; i < marked.text.size(); ++i) {
        next.text += marked.text[i];
        next.protection.push_back(marked.is_protected(i));
    }
    marked = std::move(next);
}

}  // namespace

std::u16string apply_pronunciation_list(std::u16string_view text, const RewriteList& list) {
    if (list.empty()) return std::u16string(text);

    MarkedText marked{std::u16string(text), {}};
    for (const Rewrite& entry : list.entries()) {
        if (entry.source.size() > 1) replace_all(marked, entry);
    }

    std::u16string result;
    result.reserve(marked.text.size());
    for (size_t i = 0; i < marked.text.size(); ++i) {
        const char16_t c = marked.text[i];
        const std::u16string* replacement = marked.is_protected(i) ? nullptr : list.single_character_replacement(to_lower(c));
        if (replacement != nullptr) {
            result += *replacement;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace vl
