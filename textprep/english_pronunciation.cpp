#include "textprep/english_pronunciation.h"

#include <vector>

namespace vl {
namespace {

// Latin letters compare in either case; every other character exactly.
char16_t fold_latin(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

std::u16string folded(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result) c = fold_latin(c);
    return result;
}

size_t find_match(std::u16string_view text, size_t from, std::u16string_view folded_source) {
    for (size_t i = from; i + folded_source.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < folded_source.size() && fold_latin(text[i + k]) == folded_source[k]) ++k;
        if (k == folded_source.size()) return i;
    }
    return std::u16string_view::npos;
}

// Replaces every occurrence of one source, scanning from the start without
// overlaps and without rescanning inserted text.
void replace_all(std::u16string& text, const Rewrite& entry, size_t max_length) {
    const std::u16string source = folded(entry.source);
    size_t match = find_match(text, 0, source);
    if (match == std::u16string_view::npos) return;

    std::u16string result;
    result.reserve(text.size() + text.size() / 4);
    size_t copied = 0;
    size_t final_length = text.size();  // should the rewriting stop here
    while (match != std::u16string_view::npos) {
        final_length = final_length - source.size() + entry.replacement.size();
        if (final_length > max_length) break;
        result.append(text, copied, match - copied);
        result += entry.replacement;
        copied = match + source.size();
        match = find_match(text, copied, source);
    }
    result.append(text, copied);
    text = std::move(result);
}

// Consecutive entries with one-character sources, none of whose replacements
// holds the source of a later one: one pass with the first matching entry per
// character gives what one pass per entry gives.
struct CharacterGroup {
    static constexpr size_t kMaxSize = 8;  // each character is compared with every source
    std::vector<const Rewrite*> entries;
    std::u16string sources;  // folded

    bool accepts(const Rewrite& entry) const {
        if (entry.source.size() != 1 || entries.size() == kMaxSize) return false;
        const char16_t source = fold_latin(entry.source[0]);
        for (const Rewrite* earlier : entries) {
            if (folded(earlier->replacement).find(source) != std::u16string::npos) return false;
        }
        return true;
    }
    void add(const Rewrite& entry) {
        entries.push_back(&entry);
        sources += fold_latin(entry.source[0]);
    }
    void replace_all(std::u16string& text, size_t max_length) const {
        if (entries.empty()) return;
        size_t match = find(text, 0);
        if (match == text.size()) return;
        std::u16string result;
        result.reserve(text.size() + text.size() / 4);
        size_t copied = 0;
        size_t final_length = text.size();  // should the rewriting stop here
        while (match < text.size()) {
            const std::u16string& replacement = entries[sources.find(fold_latin(text[match]))]->replacement;
            final_length = final_length - 1 + replacement.size();
            if (final_length > max_length) break;
            result.append(text, copied, match - copied);
            result += replacement;
            copied = match + 1;
            match = find(text, copied);
        }
        result.append(text, copied);
        text = std::move(result);
    }
    // The position of the next character that some entry replaces, or the end.
    size_t find(std::u16string_view text, size_t from) const {
        while (from < text.size() && sources.find(fold_latin(text[from])) == std::u16string::npos) ++from;
        return from;
    }
};

}  // namespace

std::u16string apply_english_pronunciation(std::u16string text, const PronunciationTables& tables,
                                           size_t max_length) {
    CharacterGroup group;
    for (const Rewrite& entry : tables.english.entries()) {
        if (entry.source.empty()) continue;  // would match everywhere
        if (group.accepts(entry)) {
            group.add(entry);
            continue;
        }
        group.replace_all(text, max_length);
        group = CharacterGroup();
        if (text.size() > max_length) return text;
        if (group.accepts(entry)) {
            group.add(entry);
        } else {
            replace_all(text, entry, max_length);
        }
    }
    group.replace_all(text, max_length);
    return text;
}

}  // namespace vl
