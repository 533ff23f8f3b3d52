// Latin rewriting of arbitrary text, with the default list and with a list of
// pairs taken from the input (UTF-16 units before the first U+0000, two per
// entry: source letter, replacement letter), the text after it.
#include "fuzz/fuzz_input.h"
#include "store/pronunciation_file.h"
#include "textprep/english_pronunciation.h"
#include "textprep/prepare_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vl::PronunciationTables defaults = vl::default_pronunciation_tables(vl::kRussianLanguage);
    const std::u16string input = vl::fuzz::utf16_units(data, size);
    vl::apply_english_pronunciation(input, defaults);

    const size_t split = std::min(input.find(u'\0'), input.size());
    std::vector<vl::Rewrite> entries;
    for (size_t i = 0; i + 1 < split && entries.size() < vl::fuzz::kMaxRewrites; i += 2) entries.push_back({input.substr(i, 1), input.substr(i + 1, 1)});
    entries.push_back({u"", u"never"});  // the stage itself skips empty sources too
    vl::PronunciationTables tables;
    tables.english = vl::RewriteList(std::move(entries));
    vl::apply_english_pronunciation(input.substr(std::min(split + 1, input.size())), tables);
    return 0;
}
