#include "velnor/formant/speaker.h"

#include <algorithm>
#include <cmath>

namespace velnor::formant {
namespace {

constexpr float kStressLength = 1.5f;
constexpr float kStressLoudness = 1.15f;
constexpr float kBurstMs = 8.0f;

}  // namespace

Speaker::Speaker(const SpeechSettings& settings, uint32_t seed, BlockOutput& out)
    : out_(out),
      synth_(timbre_of(settings.voice), seed),
      low_hz_(static_cast<float>(std::min(settings.pitch_low, settings.pitch_high))),
      high_hz_(static_cast<float>(std::max(settings.pitch_low, settings.pitch_high))),
      factor_(duration_factor(settings.speed_step, settings.tempo)),
      settings_(settings),
      f0_(low_hz_ + (high_hz_ - low_hz_) * 0.5f) {}

void Speaker::word(Break ending) {
    ending_ = ending;
    stress_passed_ = false;
}

// Declines through the phrase; the stressed vowel stands out, and the last word
// falls before a full stop and rises before a question mark.
float Speaker::vowel_pitch(bool stressed) {
    float position = 0.5f - 0.05f * static_cast<float>(std::min(vowels_in_phrase_, 7));
    if (stressed) position += 0.4f;
    if (ending_ == Break::sentence) position = stressed ? 0.55f : (stress_passed_ ? 0.0f : position);
    if (ending_ == Break::question) position = stressed ? 1.0f : (stress_passed_ ? 0.75f : position);
    ++vowels_in_phrase_;
    stress_passed_ |= stressed;
    return low_hz_ + (high_hz_ - low_hz_) * position;
}

Segment Speaker::shaped(const PhoneShape& shape) const {
    Segment s;
    std::copy(std::begin(shape.formants), std::end(shape.formants), s.formants);
    s.voicing = shape.voicing;
    s.frication = shape.frication;
    s.noise_hz = shape.noise_hz;
    s.noise_bw = shape.noise_bw;
    s.f0 = f0_;
    return s;
}

void Speaker::play(Segment& segment, float ms) {
    if (out_.stopped()) return;
    segment.samples = static_cast<int>(std::lround(ms * factor_ * kSampleRate / 1000.0f));
    synth_.render(segment, out_);
}

void Speaker::phone(Phone phone, bool stressed) {
    const PhoneShape& shape = shape_of(phone);
    Segment s = shaped(shape);
    switch (shape.kind) {
    case PhoneClass::vowel:
        f0_ = vowel_pitch(stressed);
        s.f0 = f0_;
        if (stressed) s.voicing *= kStressLoudness;
        play(s, shape.ms * (stressed ? kStressLength : 1.0f));
        return;
    case PhoneClass::stop:
    case PhoneClass::voiced_stop: {
        // Closure (silent, or a low voice bar), release burst, then a short transition.
        const bool voiced = shape.kind == PhoneClass::voiced_stop;
        Segment closure = s;
        closure.frication = 0;
        closure.formants[0] = 200;
        play(closure, shape.ms - kBurstMs - 12.0f);
        Segment burst = s;
        burst.abrupt = true;
        burst.voicing = voiced ? s.voicing : 0;
        play(burst, kBurstMs);
        Segment release = s;
        release.frication = 0;
        release.voicing = voiced ? 0.5f : 0;
        release.aspiration = voiced ? 0 : 0.25f;
        play(release, 12.0f);
        return;
    }
    case PhoneClass::affricate: {
        Segment closure = s;
        closure.frication = 0;
        play(closure, shape.ms * 0.35f);
        s.abrupt = true;
        play(s, shape.ms * 0.65f);
        return;
    }
    default:
        s.trill = phone == Phone::R;
        play(s, shape.ms);
    }
}

void Speaker::pause(Break kind) {
    const float ms = kind == Break::comma ? comma_pause_ms(settings_) : sentence_pause_ms(settings_);
    Segment silence;
    silence.formants[0] = 300;
    silence.f0 = f0_;
    // Set the length directly: an explicit pause does not follow the rate.
    silence.samples = static_cast<int>(std::lround(ms * kSampleRate / 1000.0f));
    if (!out_.stopped()) synth_.render(silence, out_);
    vowels_in_phrase_ = 0;
}

}  // namespace velnor::formant
