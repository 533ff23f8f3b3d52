#include "textprep/english_pronunciation.h"

namespace vl {
namespace {

// Latin letters compare in either case; every other character exactly.
char16_t fold_latin(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

bool matches_at(std::u16string_view text, size_t at, std::u16string_view folded_source) {
    if (text.size() - at < folded_source.size()) return false;
    for (size_t k = 0; k < folded_source.size(); ++k) {
        if (fold_latin(text[at + k]) != folded_source[k]) return false;
    }
    return true;
}

size_t find_match(std::u16string_view text, size_t from, std::u16string_view folded_source) {
    for (size_t i = from; i < text.size(); ++i) {
        if (fold_latin(text[i]) == folded_source[0] && matches_at(text, i, folded_source)) return i;
    }
    return std::u16string_view::npos;
}

// Replaces every occurrence of `entry.source`, scanning from the start without
// overlaps and without rescanning inserted text.
void replace_all(std::u16string& text, const Rewrite& entry) {
    std::u16string folded;
    for (char16_t c : entry.source) folded += fold_latin(c);
    size_t match = find_match(text, 0, folded);
    if (match == std::u16string_view::npos) return;

    std::u16string result;
    result.reserve(text.size() + text.size() / 4);
    size_t copied = 0;
    while (match != std::u16string_view::npos) {
        result.append(text, copied, match - copied);
        result += entry.replacement;
        copied = match + folded.size();
        match = find_match(text, copied, folded);
    }
    result.append(text, copied);
    text = std::move(result);
}

}  // namespace

std::u16string apply_english_pronunciation(std::u16string_view text, const PronunciationTables& tables) {
    std::u16string result(text);
    for (const Rewrite& entry : tables.english.entries()) {
        if (!entry.source.empty()) replace_all(result, entry);
    }
    return result;
}

}  // namespace vl
