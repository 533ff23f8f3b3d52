#include "textprep/symbols.h"

namespace vl {

std::u16string replace_symbols(std::u16string_view text, const PronunciationTables& tables) {
    std::u16string result;
    result.reserve(text.size());
    for (char16_t c : text) {
        const SymbolName* symbol = tables.symbols.find(c);
        if (symbol == nullptr) {
            result += c;
        } else if (symbol->always == 1) {
            result += u' ';
            result += symbol->name;
            result += u' ';
        } else {
            result += u' ';
        }
    }
    return result;
}

}  // namespace vl
