#include "velnor/synthesis/prosody.h"

#include <algorithm>
#include <cmath>

#include "velnor/voice/phone_voicing.h"

namespace velnor {
namespace {

constexpr float kFinalLengthening = 1.15f;  // the phrase's last syllable
constexpr float kOwnLowHz = 90.0f, kOwnHighHz = 130.0f;  // Male1's pitch range: the speaker as recorded
constexpr float kMaxGainDb = 6.0f;  // the most a join moves either side's loudness

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

// The unit was spoken at the end of a stretch that ended as the phrase does,
// no further from that end than the target and within its last three
// syllables: it brings the phrase-end pitch with it.
bool carries_ending(const Unit& u, const Target& t, PhraseEnd end) {
    return u.vowels_after <= std::min<uint8_t>(t.vowels_after, 2) && ends_alike(u, end);
}

}  // namespace

// The speaker's own pitch at Male1's range; another range moves it by the
// ratio of the ranges' centres (taken at 80%: a recorded voice moved the whole
// way to a synthetic voice's range sounds strained) and widens or narrows its
// swings around his centre by the ratio of their spans (widened by at most a
// tenth: wider, a recorded voice sings).
PitchMap pitch_map(const VoiceData& voice, PitchRange range) {
    return {std::sqrt(voice.pitch_low_hz * voice.pitch_high_hz),
            std::pow(std::sqrt(range.low_hz * range.high_hz) / std::sqrt(kOwnLowHz * kOwnHighHz), 0.8f),
            std::min(std::log(range.high_hz / range.low_hz) / std::log(kOwnHighHz / kOwnLowHz), 1.1f)};
}

std::vector<Segment> plan_prosody(const VoiceData& voice, std::span<const Target> targets,
                                  std::span<const uint32_t> units, PhraseEnd end, float duration) {
    const size_t n = units.size();
    std::vector<Segment> plan(n);
    for (size_t i = 0; i < n; ++i) plan[i] = {units[i], 0, 1.0f, 1.0f, 1.0f, 1.0f};
    // Where units from different places meet, both sides move halfway to
    // each other in pitch and in loudness, the change fading out across each.
    for (size_t i = 1; i < n; ++i) {
        if (voice.follows_in_recording(units[i - 1], units[i])) continue;
        const Unit& a = voice.units[units[i - 1]];
        const Unit& b = voice.units[units[i]];
        if (a.f0_end != 0 && b.f0_start != 0) {
            const float ratio = std::sqrt(static_cast<float>(b.f0_start) / static_cast<float>(a.f0_end));
            plan[i - 1].pitch_end = ratio;
            plan[i].pitch_start = 1.0f / ratio;
        }
        const float db = std::clamp(static_cast<float>(b.energy_start - a.energy_end) / 2.0f, -kMaxGainDb, kMaxGainDb);
        plan[i - 1].gain_end = std::pow(10.0f, db / 20.0f);
        plan[i].gain_start = std::pow(10.0f, -db / 20.0f);
    }

    size_t last_stressed = n, last_vowel = n;
    for (size_t i = 0; i < n; ++i) {
        if (is_stressed_vowel(targets[i].phone)) last_stressed = i;
        if (is_vowel(targets[i].phone)) last_vowel = i;
    }
    if (last_stressed == n) last_stressed = last_vowel;
    const Contour contour =
        last_stressed < n && carries_ending(voice.units[units[last_stressed]], targets[last_stressed], end)
            ? contour_of(PhraseEnd::none)
            : contour_of(end);
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
        plan[i].pitch_start *= from;
        plan[i].pitch_end *= to;
        // A unit from its own stretch's last syllable was lengthened when spoken.
        const bool final_syllable = end != PhraseEnd::none && last_vowel < n && i >= last_vowel && u.vowels_after != 0;
        const float length = static_cast<float>(u.end - u.start) * duration * (final_syllable ? kFinalLengthening : 1.0f);
        plan[i].length = std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(length)));
    }
    return plan;
}

}  // namespace velnor
