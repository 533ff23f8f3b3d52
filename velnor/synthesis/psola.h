#pragma once
// Pitch-synchronous overlap-add: the chosen units' audio, cut into two-period
// grains around the recording's pitch marks, laid down again at the pitch and
// length asked for. A grain reaches from the mark before its own to the mark
// after, so where neither is changed the grains add up to the recording
// itself; where units from different recordings meet, the last grain of one
// and the first of the other overlap by one period, at their pitch marks.
// Reading a grain faster than it was recorded shortens the vocal tract.
#include <cstdint>
#include <span>

#include "velnor/block_output.h"
#include "velnor/voice/voice_data.h"

namespace velnor {

// The pitch a recorded pitch is moved to for the range set through the
// library: its distance from the speaker's centre widened or narrowed by
// `swing` (in log frequency), the centre moved by `shift`.
struct PitchMap {
    float centre_hz = 1, shift = 1, swing = 1;
    float operator()(float hz) const;
};

struct Segment {
    uint32_t unit;
    uint32_t length;                 // output samples
    float pitch_start, pitch_end;    // factors on the mapped pitch at the segment's edges
    float gain_start, gain_end;      // amplitude factors at the edges
};

struct WordStart {
    uint32_t sample;  // in the phrase's output
    uint32_t text_offset;
};

// Plays the segments into `out`, reporting each word (if `words` has any)
// just before its first sample. Returns false once the output has stopped.
bool render_phrase(const VoiceData& voice, std::span<const Segment> segments, const PitchMap& pitch,
                   float formant_scale, std::span<const WordStart> words, BlockOutput& out);

}  // namespace velnor
