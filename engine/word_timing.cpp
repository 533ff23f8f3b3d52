#include "engine/word_timing.h"

namespace vl {

void WordTiming::spread(uint64_t segment_bytes) {
    for (TimedWord& word : words_) {
        const uint64_t share = total_weight_ == 0 ? 0 : word.offset * segment_bytes / total_weight_;
        word.offset = (start_ + share) & ~uint64_t{1};  // on a sample
    }
    placed_ = words_.size();
}

void WordTiming::place_report(const ReportedWord& report, uint64_t prepared_length) {
    if (prepared_length == 0) return;
    const uint64_t place = report.text_offset * prepared_length_ / prepared_length;
    while (placed_ < words_.size() &&
           (placed_ == 0 || 2 * place > words_[placed_ - 1].prepared + words_[placed_].prepared)) {
        words_[placed_++].offset = start_ + 2 * report.sample;
    }
}

void WordTiming::place_rest(uint64_t segment_bytes) {
    for (; placed_ < words_.size(); ++placed_) words_[placed_].offset = start_ + segment_bytes;
}

}  // namespace vl
