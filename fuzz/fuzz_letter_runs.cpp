// Letter runs of arbitrary text with the default tables and with none: the
// stage only inserts, so its result is never shorter than its input.
#include "fuzz/fuzz_input.h"
#include "store/pronunciation_file.h"
#include "textprep/letter_runs.h"
#include "textprep/prepare_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vl::PronunciationTables tables = vl::default_pronunciation_tables(vl::kRussianLanguage);
    static const vl::PronunciationTables none;
    const std::u16string text = vl::fuzz::utf16_units(data, size);
    if (vl::read_letter_runs(text, tables).size() < text.size()) __builtin_trap();
    if (vl::read_letter_runs(text, none).size() < text.size()) __builtin_trap();
    return 0;
}
