#include "textprep/single_character.h"

#include "base/lowercase.h"

namespace vl {

void append_character_name(std::u16string& out, char16_t c, const PronunciationTables& tables) {
    if (const SymbolName* symbol = tables.symbols.find(c)) {
        out += symbol->name;
        return;
    }
    const char16_t lower = to_lower(c);
    if (const std::u16string* letter = tables.letters.find(lower)) {
        out += *letter;
    } else {
        out += lower;
    }
}

std::u16string read_single_character(std::u16string_view text, const PronunciationTables& tables) {
    if (text.size() != 1) return std::u16string(text);
    std::u16string name;
    append_character_name(name, text[0], tables);
    return name;
}

}  // namespace vl
