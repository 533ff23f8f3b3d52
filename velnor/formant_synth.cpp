#include "velnor/formant_synth.h"

#include <cmath>

namespace vl::velnor {
namespace {

constexpr float kPi = 3.14159265f;
constexpr int kFrame = 16;             // samples between parameter updates
constexpr float kMaxFormant = 4600.0f;  // below half the sample rate
constexpr float kBandwidths[3] = {70.0f, 100.0f, 160.0f};
constexpr float kOutputGain = 0.07f;  // brings the loudest vowels near full scale
constexpr float kNoiseGain = 0.5f;

constexpr Timbre kTimbres[4] = {
    {1.00f, 1.00f, 0.93f, 0.02f, 1.00f},  // Male1
    {1.18f, 1.10f, 0.86f, 0.07f, 0.65f},  // Female1
    {0.90f, 1.25f, 0.96f, 0.01f, 1.60f},  // Male2
    {1.25f, 0.90f, 0.80f, 0.12f, 0.45f},  // Female2
};

// Two-pole resonator with unit gain at 0 Hz (vocal tract cascade).
void tune_tract(float& a, float& b, float& c, float hz, float bw) {
    const float r = std::exp(-kPi * bw / kSampleRate);
    c = -r * r;
    b = 2.0f * r * std::cos(2.0f * kPi * hz / kSampleRate);
    a = 1.0f - b - c;
}

// Two-pole resonator with about unit gain at its centre (noise band).
void tune_band(float& a, float& b, float& c, float hz, float bw) {
    const float r = std::exp(-kPi * bw / kSampleRate);
    const float theta = 2.0f * kPi * hz / kSampleRate;
    c = -r * r;
    b = 2.0f * r * std::cos(theta);
    a = (1.0f - r) * std::sqrt(1.0f - 2.0f * r * std::cos(2.0f * theta) + r * r);
}

float glide(float current, float target, float rate) { return current + (target - current) * rate; }

}  // namespace

const Timbre& timbre_of(int voice) { return kTimbres[voice & 3]; }

FormantSynth::FormantSynth(const Timbre& timbre, uint32_t seed) : timbre_(timbre), rng_(seed | 1u) {}

float FormantSynth::noise() {
    rng_ ^= rng_ << 13;
    rng_ ^= rng_ >> 17;
    rng_ ^= rng_ << 5;
    return static_cast<float>(static_cast<int32_t>(rng_)) * (1.0f / 2147483648.0f);
}

void FormantSynth::update_frame(const Segment& target) {
    if (f0_ == 0) f0_ = target.f0;
    f0_ = glide(f0_, target.f0, 0.12f);
    for (int i = 0; i < 3; ++i) {
        const float hz = std::fmin(target.formants[i] * timbre_.formant_scale, kMaxFormant - 300.0f * (2 - i));
        formants_[i] = glide(formants_[i], hz, 0.3f);
        tune_tract(tract_[i].a, tract_[i].b, tract_[i].c, formants_[i], kBandwidths[i] * timbre_.bandwidth_scale);
    }
    voicing_ = glide(voicing_, target.voicing, 0.35f);
    frication_ = glide(frication_, target.frication, 0.45f);
    aspiration_ = glide(aspiration_, target.aspiration, 0.45f);
    noise_hz_ = glide(noise_hz_, std::fmin(target.noise_hz * timbre_.formant_scale, kMaxFormant), 0.5f);
    noise_bw_ = glide(noise_bw_, target.noise_bw, 0.5f);
    tune_band(noise_band_.a, noise_band_.b, noise_band_.c, noise_hz_, noise_bw_);
    trill_gain_ = target.trill ? 0.55f + 0.45f * std::cos(2.0f * kPi * 28.0f * static_cast<float>(clock_) / kSampleRate)
                               : 1.0f;
}

bool FormantSynth::render(const Segment& segment, BlockOutput& out) {
    if (segment.abrupt) {
        voicing_ = segment.voicing;
        frication_ = segment.frication;
        aspiration_ = segment.aspiration;
        noise_hz_ = segment.noise_hz;
        noise_bw_ = segment.noise_bw;
    }
    for (int i = 0; i < segment.samples; ++i) {
        if (clock_++ % kFrame == 0) update_frame(segment);
        phase_ += f0_ / kSampleRate;
        float pulse = 0.0f;
        if (phase_ >= 1.0f) {
            phase_ -= 1.0f;
            // Scaled so that loudness does not grow with the pitch.
            pulse = (1.0f - timbre_.tilt) * std::sqrt(100.0f / f0_);
        }
        glottal_ = timbre_.tilt * glottal_ + pulse;
        const float white = noise();
        const float voice = voicing_ * trill_gain_;
        float source = glottal_ * voice * 60.0f + white * (aspiration_ + timbre_.breath * voice);
        for (Resonator& r : tract_) source = r.step(source);
        const float hiss = noise_band_.step(white - last_noise_) * frication_ * kNoiseGain;
        last_noise_ = white;
        if (!out.put(source * kOutputGain * timbre_.loudness + hiss)) return false;
    }
    return true;
}

}  // namespace vl::velnor
