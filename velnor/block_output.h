#pragma once
// Collects samples into blocks of unsigned 8-bit audio and hands each block to
// the caller's callback. The first blocks are small so that sound starts at once.
#include <atomic>
#include <cstdint>

#include "velnor/include/velnor_api.h"
#include "velnor/noise_shaper.h"

namespace velnor {

inline constexpr int kMaxBlock = 2048;
inline constexpr int kFirstBlock = 128;
// The 8-bit rounding noise follows the speech's spectrum only loosely: more
// closely, its total grows more than the gaps gain.
inline constexpr double kOutputShaping = 0.25;
inline constexpr float kMaxOutputNoise = 8.0f;  // steps of the 8-bit output

// Tells whether the current synthesis has been asked to stop.
struct StopRequest {
    const std::atomic<bool>* own = nullptr;         // set by synth_stop on the speaking thread
    const std::atomic<uint32_t>* epoch = nullptr;   // advanced by synth_stop on any other thread
    uint32_t epoch_at_start = 0;
    bool requested() const {
        return own->load(std::memory_order_relaxed) || epoch->load(std::memory_order_relaxed) != epoch_at_start;
    }
};

class BlockOutput {
public:
    BlockOutput(synth_audio_callback callback, void* context, float gain, StopRequest stop)
        : callback_(callback), context_(context), gain_(gain), stop_(stop) {}

    // Adds one sample (nominally -1..1); returns false once synthesis is to stop.
    bool put(float sample) {
        const int level = static_cast<int>(shaper_.next(sample * gain_ * 127.0f, [](float wanted) {
            // Rounded by truncating a positive number (std::round is a library
            // call here); what is no number goes to the lowest level.
            const float bounded = wanted > -128.0f ? (wanted < 127.0f ? wanted : 127.0f) : -128.0f;
            return static_cast<float>(static_cast<int>(bounded + 128.5f) - 128);
        }));
        block_[count_++] = static_cast<uint8_t>(level + 128);
        if (count_ == limit_) flush();
        return !stopped_;
    }

    // Tells the caller, before the audio that follows, that a word starts
    // there: a call with no samples and the word's byte offset in the text.
    bool report_word(uint32_t text_offset) {
        if (stopped_) return false;
        if (count_ > 0) flush();
        if (stopped_) return false;
        stopped_ = callback_(context_, nullptr, static_cast<int32_t>(text_offset)) != 0 || stop_.requested();
        return !stopped_;
    }

    // Hands over what is left.
    void finish() {
        if (count_ > 0 && !stopped_) flush();
    }

    bool stopped() const { return stopped_; }

private:
    void flush() {
        const int32_t result = callback_(context_, block_, count_);
        count_ = 0;
        if (limit_ < kMaxBlock) limit_ *= 2;
        stopped_ = result != 0 || stop_.requested();
    }

    synth_audio_callback callback_;
    void* context_;
    float gain_;
    StopRequest stop_;
    bool stopped_ = false;
    int count_ = 0;
    int limit_ = kFirstBlock;
    NoiseShaper shaper_{kOutputShaping, kMaxOutputNoise};
    uint8_t block_[kMaxBlock];
};

}  // namespace velnor
