#pragma once
// A long text cut into pieces that are spoken one after another, so that audio
// and progress flow while the text is read.
#include <string_view>
#include <vector>

namespace vl {

// Each piece but the last is at least `least` characters long and ends with a
// line break that closes a sentence or comes before an empty line, or at the
// end of a sentence as the engine finds it, so that the speech sounds as it
// would from the whole text; a piece that finds neither within 16 times that
// length is cut at the last line break there, else at the last blank (as the
// engine cuts an overlong sentence). The last piece takes a rest shorter than
// `least`. The pieces together are the text.
std::vector<std::u16string_view> speaking_pieces(std::u16string_view text, size_t least);

}  // namespace vl
