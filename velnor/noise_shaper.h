#pragma once
// Quantisation whose noise follows the sound's spectral envelope instead of
// lying flat under it. Each sample's rounding error is fed back through the
// sound's own prediction filter, damped, so the error gathers under the
// formants, where the speech is loud and masks it, and leaves the quiet bands
// between and above them clear: 8-bit speech without the hiss in its gaps. The
// envelope is predicted from the sound already seen, so nothing waits.
#include <array>
#include <cstddef>

namespace velnor {

class NoiseShaper {
public:
    // `damping` (0..1): how closely the noise follows the envelope; the closer,
    // the more noise in all. `max_noise`: the most the shaped error may stray
    // from the sound, in the sound's own units; beyond it (a clipped sample,
    // or one that is no number) the error is not carried on.
    NoiseShaper(double damping, float max_noise) : damping_(damping), max_noise_(max_noise) {}

    // The level `quantise` gives for `sample`, with the error of the levels
    // before it shaped. `quantise` returns the nearest level it can hold.
    template <class Quantise>
    float next(float sample, Quantise quantise) {
        if (since_update_ == kUpdateEvery) update();
        ++since_update_;
        history_[at_] = sample;
        at_ = (at_ + 1) % kWindow;
        float wanted = sample;
        for (size_t k = 0; k < kOrder; ++k) wanted -= filter_[k] * noise_[k];
        const float level = quantise(wanted);
        float noise = level - sample;
        if (!(noise <= max_noise_ && noise >= -max_noise_)) noise = 0.0f;  // also what is not a number
        for (size_t k = kOrder - 1; k > 0; --k) noise_[k] = noise_[k - 1];
        noise_[0] = noise;
        return level;
    }

private:
    static constexpr size_t kOrder = 10;
    static constexpr size_t kWindow = 256;      // samples the envelope is taken from
    static constexpr size_t kUpdateEvery = 160;  // samples

    void update();

    double damping_;
    float max_noise_;
    std::array<float, kWindow> history_{};
    size_t at_ = 0, since_update_ = kUpdateEvery;
    std::array<float, kOrder> filter_{};  // the damped prediction filter, a1..a10
    std::array<float, kOrder> noise_{};   // the shaped error of the last samples, latest first
};

}  // namespace velnor
