#include "textprep/symbols.h"

namespace vl {

std::u16string replace_symbols(std::u16string_view text, const PronunciationTables& tables) {
    std::u16string result;
    // Room for a few names: a long text is then built without reallocation.
    result.reserve(text.size() + text.size() / 8);
    size_t copied = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const SymbolName* symbol = tables.symbols.find(text[i]);
        if (symbol == nullptr) continue;
        result.append(text, copied, i - copied);
        copied = i + 1;
        result += u' ';
        if (symbol->always == 1) {
            result += symbol->name;
            result += u' ';
        }
    }
    result.append(text, copied);
    return result;
}

}  // namespace vl
