// Symbols in arbitrary text: with the default tables a symbol is never shorter
// than the blank that replaces it.
#include "fuzz/fuzz_input.h"
#include "store/pronunciation_file.h"
#include "textprep/prepare_text.h"
#include "textprep/symbols.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vl::PronunciationTables tables = vl::default_pronunciation_tables(vl::kRussianLanguage);
    const std::u16string text = vl::fuzz::utf16_units(data, size);
    if (vl::replace_symbols(text, tables).size() < text.size()) __builtin_trap();
    return 0;
}
