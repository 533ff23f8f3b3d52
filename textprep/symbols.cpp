#include "textprep/symbols.h"

namespace vl {
namespace {

size_t replaced_length(std::u16string_view text, const PronunciationTables& tables) {
    size_t length = 0;
    for (char16_t c : text) {
        const SymbolName* symbol = tables.symbols.find(c);
        length += symbol != nullptr && symbol->always == 1 ? symbol->name.size() + 2 : 1;
    }
    return length;
}

}  // namespace

std::u16string replace_symbols(std::u16string_view text, const PronunciationTables& tables) {
    std::u16string result;
    // Sized exactly first: long texts are then built without reallocation.
    result.reserve(replaced_length(text, tables));
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
