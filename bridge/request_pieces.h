#pragma once
// A request as the DLL hands it to the host: texts longer than a piece cut
// into pieces, and the pieces sent in batches, each when the host asks for it.
// The host's driver starts on the first batch, however long the request, and
// the text is cut only as far as the host has asked.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/speak_request.h"

namespace vl::bridge {

// The most UTF-16 units of text in one piece and in one batch, and the most
// fragments in one batch.
inline constexpr size_t kPieceUnits = 4096;
inline constexpr size_t kBatchFragments = 1024;
// How far back from a piece's full length a place to cut is looked for.
inline constexpr size_t kCutSearch = 512;

// The request's fragments, each text longer than kPieceUnits cut into pieces
// of the same markup that point into the same text. A cut takes the place of
// a single space after a letter or a digit: the driver reads the end of a
// fragment as that space, and no sentence end is parted from what decides it.
// A text with no such space near the piece's length is cut at the length,
// never inside a surrogate pair. The count of slots is known before any text
// is cut: a long text takes as many as its pieces can be at most, the pieces
// first and then empty texts, which the driver passes over.
class RequestPieces {
public:
    explicit RequestPieces(std::span<const TextFragment> fragments);

    uint64_t slots() const { return slots_; }
    bool done() const { return fragment_ == fragments_.size(); }
    // The next slots: at most kBatchFragments with kPieceUnits of text
    // together, and at least one (none when done).
    std::vector<TextFragment> next_batch();

private:
    void start_fragment();
    TextFragment next_slot();

    std::span<const TextFragment> fragments_;
    uint64_t slots_ = 0;
    size_t fragment_ = 0;    // the fragment being cut
    size_t slots_left_ = 0;  // its slots still to hand out
    size_t offset_ = 0;      // where its next piece starts
    bool text_left_ = false; // some of its text is still to be cut
};

}  // namespace vl::bridge
