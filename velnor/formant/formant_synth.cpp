#include "velnor/formant/formant_synth.h"

#include <algorithm>
#include <cmath>

namespace velnor::formant {
namespace {

constexpr float kPi = 3.14159265f;
constexpr int kFrame = 16;             // samples between parameter updates
constexpr float kMaxFormant = 4600.0f;  // below half the sample rate
constexpr float kBandwidths[3] = {70.0f, 100.0f, 160.0f};
constexpr float kUpperFormant = 3500.0f;  // fixed fourth formant: brightens the front vowels
constexpr float kUpperBandwidth = 300.0f;
constexpr float kOutputGain = 0.07f;  // brings the loudest vowels near full scale
constexpr float kNoiseGain = 0.5f;

constexpr Timbre kTimbres[4] = {
    {1.00f, 1.00f, 0.93f, 0.02f, 1.00f},  // Male1
    {1.18f, 1.10f, 0.86f, 0.07f, 0.65f},  // Female1
    {0.90f, 1.25f, 0.96f, 0.01f, 1.60f},  // Male2
    {1.25f, 0.90f, 0.80f, 0.12f, 0.40f},  // Female2
};

float pole_radius(float bw) { return std::exp(-kPi * bw / kSampleRate); }

// Two-pole resonator with unit gain at 0 Hz (vocal tract cascade); r from pole_radius.
void tune_tract(float& a, float& b, float& c, float hz, float r) {
    c = -r * r;
    b = 2.0f * r * std::cos(2.0f * kPi * hz / kSampleRate);
    a = 1.0f - b - c;
}

// Two-pole resonator with about unit gain at its centre (noise band).
void tune_band(float& a, float& b, float& c, float hz, float bw) {
    const float r = pole_radius(bw);
    const float theta = 2.0f * kPi * hz / kSampleRate;
    c = -r * r;
    b = 2.0f * r * std::cos(theta);
    a = (1.0f - r) * std::sqrt(1.0f - 2.0f * r * std::cos(2.0f * theta) + r * r);
}

float glide(float current, float target, float rate) { return current + (target - current) * rate; }

}  // namespace

const Timbre& timbre_of(int voice) { return kTimbres[voice & 3]; }

FormantSynth::FormantSynth(const Timbre& timbre, uint32_t seed) : timbre_(timbre), rng_(seed | 1u) {
    for (int i = 0; i < 3; ++i) tract_radius_[i] = pole_radius(kBandwidths[i] * timbre_.bandwidth_scale);
    tune_tract(upper_.a, upper_.b, upper_.c, std::fmin(kUpperFormant * timbre_.formant_scale, kMaxFormant),
               pole_radius(kUpperBandwidth * timbre_.bandwidth_scale));
}

float FormantSynth::noise_centre(const Segment& target) const {
    return std::fmin(target.noise_hz * timbre_.formant_scale, kMaxFormant);
}

void FormantSynth::update_frame(const Segment& target) {
    if (f0_ == 0) f0_ = target.f0;
    f0_ = glide(f0_, target.f0, 0.12f);
    for (int i = 0; i < 3; ++i) {
        const float hz = std::fmin(target.formants[i] * timbre_.formant_scale, kMaxFormant - 300.0f * (2 - i));
        formants_[i] = glide(formants_[i], hz, 0.3f);
        tune_tract(tract_[i].a, tract_[i].b, tract_[i].c, formants_[i], tract_radius_[i]);
    }
    voicing_ = glide(voicing_, target.voicing, 0.35f);
    frication_ = glide(frication_, target.frication, 0.45f);
    aspiration_ = glide(aspiration_, target.aspiration, 0.45f);
    noise_hz_ = glide(noise_hz_, noise_centre(target), 0.5f);
    noise_bw_ = glide(noise_bw_, target.noise_bw, 0.5f);
    // Retuned only when the band has moved audibly: the tuning is the costly part.
    if (std::fabs(noise_hz_ - tuned_hz_) + std::fabs(noise_bw_ - tuned_bw_) > 2.0f) {
        tuned_hz_ = noise_hz_;
        tuned_bw_ = noise_bw_;
        tune_band(noise_band_.a, noise_band_.b, noise_band_.c, noise_hz_, noise_bw_);
    }
    trill_gain_ = target.trill ? 0.55f + 0.45f * std::cos(2.0f * kPi * 28.0f * static_cast<float>(clock_) / kSampleRate)
                               : 1.0f;
}

bool FormantSynth::render(const Segment& segment, BlockOutput& out) {
    if (segment.abrupt) {
        voicing_ = segment.voicing;
        frication_ = segment.frication;
        aspiration_ = segment.aspiration;
        noise_hz_ = noise_centre(segment);
        noise_bw_ = segment.noise_bw;
    }
    for (int left = segment.samples; left > 0;) {
        if (frame_left_ == 0) {
            update_frame(segment);
            frame_left_ = kFrame;
        }
        const int count = std::min(left, frame_left_);
        float samples[kFrame];
        synthesize(samples, count);
        frame_left_ -= count;
        left -= count;
        for (int i = 0; i < count; ++i)
            if (!out.put(samples[i])) return false;
    }
    return true;
}

// Works on local copies of the state, which the compiler can keep in registers.
void FormantSynth::synthesize(float* samples, int count) {
    Resonator r1 = tract_[0], r2 = tract_[1], r3 = tract_[2], r4 = upper_, band = noise_band_;
    float phase = phase_, glottal = glottal_, last_noise = last_noise_;
    uint32_t rng = rng_;
    const float step = f0_ / kSampleRate;
    // Scaled so that loudness does not grow with the pitch.
    const float pulse_height = (1.0f - timbre_.tilt) * std::sqrt(100.0f / f0_);
    const float voice = voicing_ * trill_gain_;
    const float voice_gain = voice * 60.0f;
    const float breath = aspiration_ + timbre_.breath * voice;
    const float hiss_gain = frication_ * kNoiseGain;
    const float tract_gain = kOutputGain * timbre_.loudness;
    for (int i = 0; i < count; ++i) {
        phase += step;
        float pulse = 0.0f;
        if (phase >= 1.0f) {
            phase -= 1.0f;
            pulse = pulse_height;
        }
        glottal = timbre_.tilt * glottal + pulse;
        rng ^= rng << 13;
        rng ^= rng >> 17;
        rng ^= rng << 5;
        const float white = static_cast<float>(static_cast<int32_t>(rng)) * (1.0f / 2147483648.0f);
        const float tract = r4.step(r3.step(r2.step(r1.step(glottal * voice_gain + white * breath))));
        const float hiss = band.step(white - last_noise) * hiss_gain;
        last_noise = white;
        samples[i] = tract * tract_gain + hiss;
    }
    tract_[0] = r1;
    tract_[1] = r2;
    tract_[2] = r3;
    upper_ = r4;
    noise_band_ = band;
    phase_ = phase;
    glottal_ = glottal;
    last_noise_ = last_noise;
    rng_ = rng;
    clock_ += static_cast<uint32_t>(count);
}

}  // namespace velnor::formant
