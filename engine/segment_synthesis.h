#pragma once
// One segment's synthesis on a thread of its own, so that its audio reaches
// the site as the library makes it. The thread holds the library's turn for
// the length of the library call and hands each block of samples, and each
// word start the library reports, to the request's thread, which alone talks
// to the site. A stop asked by the request's thread reaches the library at its
// next block.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "engine/prosody.h"
#include "platform/wake_signal.h"
#include "engine/word_timing.h"

namespace vl {

class OutputSink;
class SynthEngine;
class SynthesisLock;

// What the library has handed over of the segment so far.
struct SynthesisProgress {
    size_t samples = 0;
    bool words_reported = false;  // the library says where each word's audio starts
    bool finished = false;        // the library call has returned
    bool failed = false;          // memory ran out: samples are missing
};

class SegmentSynthesis {
public:
    explicit SegmentSynthesis(SynthEngine& engine) : engine_(engine) {}
    // Stops the library and waits for the thread.
    ~SegmentSynthesis();
    SegmentSynthesis(const SegmentSynthesis&) = delete;
    SegmentSynthesis& operator=(const SegmentSynthesis&) = delete;

    // Waits for the library's turn, false when the sink asks for an abort
    // meanwhile; then has the library speak `text` with `state` (whose
    // callback context becomes this object), with word reports when `words`.
    // Without them, the samples are handed over only once the library has
    // returned, since estimating where the words start takes the whole length.
    bool start(SynthesisLock& lock, OutputSink& sink, std::string text, LibraryState state, bool words);

    // Asks the library to stop at its next block.
    void stop() { stop_ = true; }

    // Returns as soon as samples beyond `seen` are handed over or the library
    // has returned, and at the latest after `patience`.
    SynthesisProgress wait_beyond(size_t seen, std::chrono::milliseconds patience);
    // Where the library's block holding sample `from` ends: the request's
    // writes follow the library's blocks, so they fall alike however the
    // two threads are timed.
    size_t block_end(size_t from) const;
    // Samples [from, from + out.size()), which must have been handed over, as 16-bit.
    void copy_samples(size_t from, std::span<int16_t> out);
    // Places the words of the reports that came since the last call.
    void place_reports(WordTiming& words, uint64_t text_length);

    // The library's callback, on the library's thread: a block of samples or a
    // word report. 0 to go on; 1 after stopping the library.
    int32_t receive(const uint8_t* samples, int32_t count);

private:
    void run(SynthesisLock& lock);
    void hand_over();  // wakes the request's thread
    bool holding() const { return words_wanted_ && !words_reported_; }  // under mutex_
    SynthesisProgress progress() const;                                  // under mutex_

    SynthEngine& engine_;
    std::string text_;
    LibraryState state_;
    bool words_wanted_ = false;
    std::atomic<bool> stop_{false};
    WakeSignal arrived_;
    std::atomic<uint32_t> handovers_{0};  // counts the raises of arrived_
    std::thread worker_;

    mutable std::mutex mutex_;  // guards the fields below
    std::vector<uint8_t> samples_;  // unsigned 8-bit, as the library makes them
    std::vector<size_t> block_ends_;  // where each of the library's blocks ends in samples_
    std::vector<ReportedWord> reports_;
    size_t reports_taken_ = 0;
    bool words_reported_ = false;
    bool finished_ = false;
    bool failed_ = false;
};

}  // namespace vl
