// The cutting of a long text into pieces to speak, on hostile text: the pieces
// are the text, in order, every piece but the last is long enough, and none
// parts a surrogate pair.
#include "tools/vlsay/text_pieces.h"

#include <cstdint>
#include <cstdlib>

#include "base/utf.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t least = 1 + data[0] % 64;
    const std::u16string text = vl::fuzz::utf16_units(data + 1, size - 1);
    const auto pieces = vl::speaking_pieces(text, least);
    const char16_t* next = text.data();
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].data() != next || pieces[i].empty()) std::abort();
        if (i + 1 < pieces.size() && pieces[i].size() < least) std::abort();
        if (vl::is_high_surrogate(pieces[i].back()) && next + pieces[i].size() < text.data() + text.size() &&
            vl::is_low_surrogate(next[pieces[i].size()])) {
            std::abort();
        }
        next += pieces[i].size();
    }
    if (next != text.data() + text.size()) std::abort();
    return 0;
}
