#include "configurer/core/configurer_state.h"

#include <stdexcept>

namespace vl {

const EntryList<PronunciationEntry>& LanguageLists::entry_list(ListKind kind) const {
    switch (kind) {
        case ListKind::LatinLetters: return latin_letters;
        case ListKind::CyrillicLetters: return cyrillic_letters;
        case ListKind::LatinCombinations: return latin_combinations;
        case ListKind::UserDictionaryList: return user_dictionary;
        case ListKind::Symbols: break;
    }
    throw std::logic_error("the symbol list holds no pronunciation entries");
}

EntryList<PronunciationEntry>& LanguageLists::entry_list(ListKind kind) {
    return const_cast<EntryList<PronunciationEntry>&>(static_cast<const LanguageLists&>(*this).entry_list(kind));
}

}  // namespace vl
