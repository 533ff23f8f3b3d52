// Ukrainian rewriting of arbitrary text, with the default list and with a list
// taken from the input itself: UTF-16 lines "source=replacement" up to the
// first U+0000, the text after it.
#include "fuzz/fuzz_input.h"
#include "store/pronunciation_file.h"
#include "textprep/prepare_text.h"
#include "textprep/spelling.h"

namespace {

vl::RewriteList list_from(std::u16string_view lines) {
    std::vector<vl::Rewrite> entries;
    while (!lines.empty() && entries.size() < vl::fuzz::kMaxRewrites) {
        const size_t end = std::min(lines.find(u'\n'), lines.size());
        const std::u16string_view line = lines.substr(0, end);
        const size_t equals = std::min(line.find(u'='), line.size());
        entries.push_back({std::u16string(line.substr(0, equals)),
                           std::u16string(line.substr(std::min(equals + 1, line.size())))});
        lines.remove_prefix(std::min(end + 1, lines.size()));
    }
    return vl::sorted_descending(std::move(entries));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vl::PronunciationTables defaults = vl::default_pronunciation_tables(vl::kUkrainianLanguage);
    const std::u16string input = vl::fuzz::utf16_units(data, size);
    vl::apply_spelling(input, vl::kUkrainianSpelling, defaults);

    const size_t split = std::min(input.find(u'\0'), input.size());
    vl::PronunciationTables tables;
    tables.spelling = list_from(std::u16string_view(input).substr(0, split));
    vl::apply_spelling(std::u16string_view(input).substr(std::min(split + 1, input.size())), vl::kUkrainianSpelling, tables);
    return 0;
}
