#pragma once
// The tables a freshly created pronunc.dic yields, for stage tests.
#include <string_view>

#include "textprep/pronunciation_defaults.h"
#include "textprep/pronunciation_tables.h"
#include "textprep/prepare_text.h"

namespace vl::test {

inline void add_letters(PronunciationTables& tables, const LetterGroupDefaults& group) {
    for (char16_t letter : group.letters) {
        std::u16string_view value = letter_fallback(group, letter);
        for (const DefaultEntry& entry : group.written) {
            if (entry.key[0] == letter) value = entry.value;
        }
        tables.letters.set(letter, std::u16string(value));
    }
}

inline std::vector<Rewrite> rewrites(std::span<const DefaultEntry> entries) {
    std::vector<Rewrite> result;
    for (const DefaultEntry& entry : entries) result.push_back({std::u16string(entry.key), std::u16string(entry.value)});
    return result;
}

inline PronunciationTables default_tables(std::u16string_view language) {
    PronunciationTables tables;
    add_letters(tables, kEnglishLetterGroup);
    const bool ukrainian = language == kUkrainianLanguage;
    if (language != kRussianLanguage && !ukrainian) return tables;
    add_letters(tables, ukrainian ? kUkrainianLetterGroup : kRussianLetterGroup);
    tables.english = RewriteList(rewrites(kEnglishPronunciation));
    if (ukrainian) tables.ukrainian = sorted_descending(rewrites(kUkrainianPronunciation));
    for (const DefaultEntry& entry : ukrainian ? std::span<const DefaultEntry>(kUkrainianSymbols) : std::span<const DefaultEntry>(kRussianSymbols)) {
        tables.symbols.set(entry.key[0], parse_symbol_value(entry.value));
    }
    return tables;
}

}  // namespace vl::test
