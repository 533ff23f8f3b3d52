#pragma once
// The length, pitch and loudness each chosen unit is played with: its own
// natural length and pitch, stretched by the rate, moved into the set range,
// matched in pitch and loudness where units from different recordings meet,
// lengthened at the end of a phrase, and falling or rising there as the
// punctuation asks, where the units chosen do not already.
#include <cstdint>
#include <span>
#include <vector>

#include "velnor/phonetics/utterance.h"
#include "velnor/synthesis/psola.h"
#include "velnor/synthesis/unit_selection.h"

namespace velnor {

// The range set through the library: 90..130 is the speaker's own pitch.
struct PitchRange {
    float low_hz, high_hz;
};

// How the recorded pitch moves for the range.
PitchMap pitch_map(const VoiceData& voice, PitchRange range);

// `duration` multiplies every length (1: the recording's own pace).
std::vector<Segment> plan_prosody(const VoiceData& voice, std::span<const Target> targets,
                                  std::span<const uint32_t> units, PhraseEnd end, float duration);

}  // namespace velnor
