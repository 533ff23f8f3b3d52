// Reads every character alone with the default tables: the name is never empty.
#include "fuzz/fuzz_input.h"
#include "store/pronunciation_file.h"
#include "textprep/prepare_text.h"
#include "textprep/single_character.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vl::PronunciationTables tables = vl::default_pronunciation_tables(vl::kRussianLanguage);
    const std::u16string text = vl::fuzz::utf16_units(data, size);
    for (size_t i = 0; i < text.size(); ++i) {
        if (vl::read_single_character(std::u16string_view(text).substr(i, 1), tables).empty()) __builtin_trap();
    }
    if (vl::read_single_character(text, tables).size() != text.size() && text.size() != 1) __builtin_trap();
    return 0;
}
