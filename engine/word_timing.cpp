#include "engine/word_timing.h"

namespace vl {

void WordTiming::spread(uint64_t segment_bytes) {
    for (TimedWord& word : words_) {
        const uint64_t share = total_weight_ == 0 ? 0 : word.offset * segment_bytes / total_weight_;
        word.offset = (start_ + share) & ~uint64_t{1};  // on a sample
    }
}

}  // namespace vl
