// A fragment list made from arbitrary text (U+001F separates fragments; each
// fragment's first unit gives its action, markup and a source offset), walked
// to the end with a skip back now and then: every step moves on, every span lies
// inside its fragment, the words lie inside their spans.
#include <vector>

#include "engine/client_text.h"
#include "engine/request_walker.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = vl::fuzz::utf16_units(data, size);
    std::vector<vl::TextFragment> fragments;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(u'\x1F', start);
        if (end == std::u16string::npos) end = text.size();
        if (end > start) {
            const char16_t head = text[start];
            vl::TextFragment fragment;
            fragment.action = static_cast<vl::FragmentAction>(head % 7);
            fragment.rate_adj = static_cast<int16_t>(head) >> 3;
            fragment.volume = head >> 4;
            fragment.source_offset = static_cast<uint32_t>(head) * 0x10001u;
            fragment.text = std::u16string_view(text).substr(start + 1, end - start - 1);
            fragments.push_back(fragment);
        }
        start = end + 1;
    }
    vl::RequestWalker walker(fragments);
    vl::Step step;
    size_t steps = 0;
    bool skipped_back = false;
    while (walker.next(step)) {
        if (++steps > 4 * text.size() + 16) __builtin_trap();  // no step may stand still
        for (const vl::ClientSpan& span : step.spans) {
            if (span.start > span.end || span.end > span.fragment->text.size()) __builtin_trap();
            const std::u16string_view piece = span.text();
            for (vl::WordSpan word = vl::next_word(piece, 0); word.start < piece.size();
                 word = vl::next_word(piece, word.end)) {
                if (word.start >= word.end || word.end > piece.size()) __builtin_trap();
            }
        }
        if (!skipped_back && step.kind == vl::Step::Kind::speech && step.sentence == 2) {
            skipped_back = true;
            if (walker.seek_sentence(0) != 0) __builtin_trap();
        }
    }
    return 0;
}
