#include "configurer/core/default_lists.h"

namespace vl {

EntryList<PronunciationEntry> default_entry_list(std::span<const DefaultEntry> defaults) {
    EntryList<PronunciationEntry> list;
    for (const DefaultEntry& entry : defaults) list.entries.push_back({std::u16string(entry.key), std::u16string(entry.value)});
    return list;
}

EntryList<SymbolEntry> default_symbol_list() {
    EntryList<SymbolEntry> list;
    for (const DefaultSymbol& entry : kDefaultSymbols)
        list.entries.push_back({std::u16string(entry.symbol), std::u16string(entry.replacement), entry.when});
    return list;
}

std::optional<LanguageLists> configurer_defaults(const Language& language) {
    if (&language != &kRussian) return std::nullopt;
    return LanguageLists{default_entry_list(kDefaultLatinLetters), default_entry_list(kDefaultCyrillicLetters),
                         default_entry_list(kDefaultLatinCombinations), default_symbol_list(),
                         default_entry_list(kDefaultUserDictionary)};
}

}  // namespace vl
