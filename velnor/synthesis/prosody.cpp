#include "velnor/synthesis/prosody.h"

#include <algorithm>
#include <cmath>

#include "velnor/voice/phone_voicing.h"

namespace velnor {
namespace {

constexpr float kFinalLengthening = 1.15f;  // the phrase's last syllable
constexpr float kOwnLowHz = 90.0f, kOwnHighHz = 130.0f;  // Male1's pitch range: the speaker as recorded

// Pitch factors over the phrase's last stressed vowel (from its start to its
// end) and over what follows it (from the vowel's end to the phrase's end).
struct Contour {
    float rise_start, rise_end, tail_start, tail_end;
};

Contour contour_of(PhraseEnd end) {
    switch (end) {
    case PhraseEnd::question: return {1.0f, 1.45f, 1.25f, 1.1f};
    case PhraseEnd::comma: return {1.0f, 1.12f, 1.1f, 1.08f};
    case PhraseEnd::statement:
    case PhraseEnd::exclamation: return {1.0f, 0.95f, 0.93f, 0.82f};
    case PhraseEnd::none: break;
    }
    return {1.0f, 1.0f, 1.0f, 1.0f};
}

}  // namespace

std::vector<Segment> plan_prosody(const VoiceData& voice, std::span<const Target> targets,
                                  std::span<const uint32_t> units, PhraseEnd end, float duration,
                                  PitchRange range) {
    const size_t n = units.size();
    std::vector<Segment> plan(n);
    std::vector<float> start(n, 0.0f), finish(n, 0.0f);
    const float middle = (voice.pitch_low_hz + voice.pitch_high_hz) / 2;
    float last_pitch = middle;
    for (size_t i = 0; i < n; ++i) {
        const Unit& u = voice.units[units[i]];
        if (!is_voiced(u.phone)) continue;
        start[i] = u.f0_start ? u.f0_start / 8.0f : last_pitch;
        finish[i] = u.f0_end ? u.f0_end / 8.0f : start[i];
        last_pitch = finish[i];
    }
    // Where units from different places meet, both sides move to the mean.
    for (size_t i = 1; i < n; ++i) {
        const bool joined_in_recording = units[i] == units[i - 1] + 1 && (voice.units[units[i - 1]].flags & kContinues);
        if (joined_in_recording || start[i] == 0 || finish[i - 1] == 0) continue;
        start[i] = finish[i - 1] = (start[i] + finish[i - 1]) / 2;
    }

    size_t last_stressed = n, last_vowel = n;
    for (size_t i = 0; i < n; ++i) {
        if (is_stressed_vowel(targets[i].phone)) last_stressed = i;
        if (is_vowel(targets[i].phone)) last_vowel = i;
    }
    if (last_stressed == n) last_stressed = last_vowel;
    const Contour contour = contour_of(end);
    // The speaker's own pitch at Male1's range; another range moves it by the
    // ratio of the ranges' centres (taken at 80%: a recorded voice moved the
    // whole way to a synthetic voice's range sounds strained) and widens or
    // narrows its swings around his centre by the ratio of their spans (widened
    // by at most a tenth: wider, a recorded voice sings).
    const float own_centre = std::sqrt(voice.pitch_low_hz * voice.pitch_high_hz);
    const float shift = std::pow(std::sqrt(range.low_hz * range.high_hz) / std::sqrt(kOwnLowHz * kOwnHighHz), 0.8f);
    const float swing = std::min(std::log(range.high_hz / range.low_hz) / std::log(kOwnHighHz / kOwnLowHz), 1.1f);
    auto moved = [&](float hz, float factor) {
        if (hz == 0) return 0.0f;
        return std::clamp(own_centre * shift * std::pow(hz / own_centre, swing) * factor, 40.0f, 600.0f);
    };

    uint64_t tail_length = 0;
    for (size_t i = last_stressed + 1; i < n; ++i) tail_length += voice.units[units[i]].end - voice.units[units[i]].start;
    uint64_t tail_done = 0;
    for (size_t i = 0; i < n; ++i) {
        const Unit& u = voice.units[units[i]];
        float from = 1.0f, to = 1.0f;
        if (i == last_stressed) {
            from = contour.rise_start;
            to = contour.rise_end;
        } else if (i > last_stressed && last_stressed < n) {
            const auto part = [&](uint64_t at) { return static_cast<float>(at) / static_cast<float>(std::max<uint64_t>(tail_length, 1)); };
            from = contour.tail_start + (contour.tail_end - contour.tail_start) * part(tail_done);
            tail_done += u.end - u.start;
            to = contour.tail_start + (contour.tail_end - contour.tail_start) * part(tail_done);
        }
        const bool final_syllable = end != PhraseEnd::none && last_vowel < n && i >= last_vowel;
        const float length = static_cast<float>(u.end - u.start) * duration * (final_syllable ? kFinalLengthening : 1.0f);
        plan[i] = {units[i], std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(length))), moved(start[i], from),
                   moved(finish[i], to)};
    }
    return plan;
}

}  // namespace velnor
