#pragma once
// Pitch-synchronous overlap-add: the chosen units' audio, cut into two-period
// grains around the recording's pitch marks, laid down again at the pitch and
// length asked for. Neighbouring grains overlap, which also smooths the joins.
// Reading a grain faster than it was recorded shortens the vocal tract.
#include <cstdint>
#include <span>

#include "velnor/block_output.h"
#include "velnor/voice/voice_data.h"

namespace velnor {

struct Segment {
    uint32_t unit;
    uint32_t length;         // output samples
    float f0_start, f0_end;  // Hz; 0: unvoiced, the recording's own spacing is kept
};

struct WordStart {
    uint32_t sample;  // in the phrase's output
    uint32_t text_offset;
};

// Plays the segments into `out`, reporting each word (if `words` has any)
// just before its first sample. Returns false once the output has stopped.
bool render_phrase(const VoiceData& voice, std::span<const Segment> segments, float formant_scale,
                   std::span<const WordStart> words, BlockOutput& out);

}  // namespace velnor
