#pragma once
// A request as the DLL hands it to the host: texts longer than a piece cut
// into pieces, and the pieces sent in batches, each when the host asks for it.
// The host's driver starts on the first batch, however long the request.
#include <cstddef>
#include <span>
#include <vector>

#include "engine/speak_request.h"

namespace vl::bridge {

// The most UTF-16 units of text in one piece and in one batch, and the most
// fragments in one batch.
inline constexpr size_t kPieceUnits = 4096;
inline constexpr size_t kBatchFragments = 1024;

// The fragments with each text longer than kPieceUnits cut into pieces of the
// same markup, pointing into the same text. A cut takes the place of a single
// space after a letter or a digit: the driver reads the end of a fragment as
// that space, and no sentence end is parted from what decides it. A text with
// no such space is cut at the length, never inside a surrogate pair.
std::vector<TextFragment> request_pieces(std::span<const TextFragment> fragments);

// The end of the batch that starts at `from`: whole pieces, at most
// kBatchFragments with kPieceUnits of text together, and at least one.
size_t batch_end(std::span<const TextFragment> pieces, size_t from);

}  // namespace vl::bridge
