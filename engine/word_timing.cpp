#include "engine/word_timing.h"

namespace vl {

void WordTiming::spread(uint64_t segment_bytes) {
    for (TimedWord& word : words_) {
        const uint64_t share = total_weight_ == 0 ? 0 : word.offset * segment_bytes / total_weight_;
        word.offset = (start_ + share) & ~uint64_t{1};  // on a sample
    }
}

void WordTiming::place_reported(const std::vector<ReportedWord>& reports, uint64_t prepared_length,
                                uint64_t segment_bytes) {
    size_t next = 0;
    if (prepared_length > 0) {
        for (const ReportedWord& report : reports) {
            const uint64_t place = report.text_offset * prepared_length_ / prepared_length;
            while (next < words_.size() &&
                   (next == 0 || 2 * place > words_[next - 1].prepared + words_[next].prepared)) {
                words_[next++].offset = start_ + 2 * report.sample;
            }
        }
    }
    for (; next < words_.size(); ++next) words_[next].offset = start_ + segment_bytes;
}

}  // namespace vl
