#include "engine/segment_synthesis.h"

#include <algorithm>
#include <exception>
#include <new>

#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/synthesis_turn.h"

namespace vl {
namespace {

constexpr std::chrono::microseconds kSpin{50};

}  // namespace

SegmentSynthesis::~SegmentSynthesis() {
    stop();
    if (worker_.joinable()) worker_.join();
}

bool SegmentSynthesis::start(SynthesisLock& lock, OutputSink& sink, std::string text, LibraryState state, bool words) {
    text_ = std::move(text);
    state_ = state;
    state_.callback_context = this;
    words_wanted_ = words;
    if (!lock.acquire(sink)) return false;
    try {
        worker_ = std::thread([this, &lock] { run(lock); });
    } catch (const std::exception&) {
        run(lock);  // no thread to be had: the library speaks here and its audio goes out after
    }
    return true;
}

void SegmentSynthesis::run(SynthesisLock& lock) {
    bool failed = false;
    try {
        set_library_state(engine_, state_);
        const bool reported = engine_.report_words(words_wanted_);
        {
            const std::lock_guard guard(mutex_);
            words_reported_ = reported;
        }
        engine_.speak(text_.c_str());
        // Back off: a null block means nothing to another caller of the library.
        if (reported) engine_.report_words(false);
    } catch (...) {
        failed = true;  // nothing may leave the thread; the request ends as when memory runs out
    }
    lock.release();
    {
        const std::lock_guard guard(mutex_);
        finished_ = true;
        failed_ = failed_ || failed;
    }
    hand_over();
}

int32_t SegmentSynthesis::receive(const uint8_t* samples, int32_t count) {
    if (stop_) {
        engine_.stop();
        return 1;
    }
    bool handed_over = false;
    bool failed = false;
    {
        const std::lock_guard guard(mutex_);
        try {
            if (samples == nullptr && count >= 0 && words_reported_) {
                reports_.push_back({static_cast<uint64_t>(count), samples_.size()});
            } else if (samples != nullptr && count > 0) {
                samples_.insert(samples_.end(), samples, samples + count);
                block_ends_.push_back(samples_.size());
                handed_over = !holding();
            }
        } catch (const std::bad_alloc&) {
            failed = failed_ = true;
        }
    }
    if (failed) {
        hand_over();
        engine_.stop();
        return 1;
    }
    if (handed_over) hand_over();
    return 0;
}

void SegmentSynthesis::hand_over() {
    ++handovers_;
    arrived_.raise();
}

SynthesisProgress SegmentSynthesis::progress() const {
    return {finished_ || !holding() ? samples_.size() : 0, words_reported_, finished_, failed_};
}

SynthesisProgress SegmentSynthesis::wait_beyond(size_t seen, std::chrono::milliseconds patience) {
    {
        const std::lock_guard guard(mutex_);
        const SynthesisProgress now = progress();
        if (now.samples > seen || now.finished || now.failed) return now;
    }
    // The next block is often a few microseconds away: look for it a while
    // before sleeping, which takes longer to wake from.
    const uint32_t handed = handovers_;
    const auto spin_end = std::chrono::steady_clock::now() + kSpin;
    while (handovers_ == handed && std::chrono::steady_clock::now() < spin_end) std::this_thread::yield();
    if (handovers_ == handed) arrived_.wait_for(patience);
    const std::lock_guard guard(mutex_);
    return progress();
}

size_t SegmentSynthesis::block_end(size_t from) const {
    const std::lock_guard guard(mutex_);
    const auto end = std::upper_bound(block_ends_.begin(), block_ends_.end(), from);
    return end == block_ends_.end() ? samples_.size() : *end;
}

void SegmentSynthesis::copy_samples(size_t from, std::span<int16_t> out) {
    const std::lock_guard guard(mutex_);
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<int16_t>((samples_[from + i] - 128) * 256);
}

void SegmentSynthesis::place_reports(WordTiming& words, uint64_t text_length) {
    const std::lock_guard guard(mutex_);
    for (; reports_taken_ < reports_.size(); ++reports_taken_) words.place_report(reports_[reports_taken_], text_length);
}

int32_t VELNOR_CALL audio_chunk_callback(void* context, const uint8_t* samples, int32_t count) {
    return static_cast<SegmentSynthesis*>(context)->receive(samples, count);
}

}  // namespace vl
