#pragma once
// A long text cut into pieces that are spoken one after another, so that audio
// and progress flow while the text is read.
#include <string_view>
#include <vector>

namespace vl {

// Each piece but the last ends with a line break that closes a sentence or
// comes before an empty line, and is at least `least` characters long, so that
// the speech sounds as it would from the whole text; a piece that finds no such
// break is cut at any line break once it is 16 times as long. The last piece
// takes a rest shorter than `least`. The pieces together are the text.
std::vector<std::u16string_view> speaking_pieces(std::u16string_view text, size_t least);

}  // namespace vl
