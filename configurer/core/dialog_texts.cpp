#include "configurer/core/dialog_texts.h"

#include "configurer/core/text_expand.h"
#include "configurer/core/texts.h"

namespace vl {

std::u16string dialog_title(ListKind kind, DialogVariant variant, std::u16string_view source) {
    const bool symbols = kind == ListKind::Symbols;
    if (variant == DialogVariant::add) {
        return expand_text(symbols ? texts::kAddSymbolTitle : texts::kAddEntryTitles[static_cast<std::size_t>(kind)]);
    }
    return substitute_placeholders(symbols ? texts::kEditSymbolTitle : texts::kEditEntryTitle,
                                   {{u"%letter%", source}});
}

std::u16string source_label(ListKind kind) {
    switch (kind) {
        case ListKind::LatinCombinations: return expand_text(texts::kCombinationLabel);
        case ListKind::UserDictionaryList: return expand_text(texts::kWordLabel);
        case ListKind::Symbols: return expand_text(texts::kSymbolLabel);
        default: return expand_text(texts::kLetterLabel);
    }
}

std::u16string replacement_label(ListKind kind) {
    return expand_text(kind == ListKind::LatinCombinations ? texts::kReadAsLabel : texts::kPronounceAsLabel);
}

std::u16string ok_button_text(DialogVariant variant) {
    return expand_text(variant == DialogVariant::add ? texts::kAddButton : texts::kSaveButton);
}

std::u16string invalid_char_label(ListKind kind, DialogVariant variant, char16_t offending) {
    if (kind != ListKind::Symbols && variant == DialogVariant::add) {
        const std::u16string character(1, offending);
        return substitute_placeholders(texts::kInvalidCharLabel, {{u"%char%", character}});
    }
    return expand_text(texts::kInvalidCharShortLabel);
}

std::u16string when_text(uint8_t when) {
    switch (when) {
        case kWhenSpelling: return expand_text(texts::kWhenSpelling);
        case kWhenAlways: return expand_text(texts::kWhenAlways);
        default: return {};
    }
}

std::vector<std::u16string> row_texts(const ConfigurerState& state, ListKind kind, std::size_t index) {
    if (index >= list_size(state, kind)) return {};
    if (kind == ListKind::Symbols) {
        const SymbolEntry& entry = state.lists().symbols.entries[index];
        return {entry.symbol, entry.replacement, when_text(entry.when)};
    }
    const PronunciationEntry& entry = state.entry_list(kind).entries[index];
    return {entry.source, entry.replacement};
}

}  // namespace vl
