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
#include <vector>

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

// Plays a phrase, given piece by piece, into `out`: the grains run on across
// the pieces as if the phrase had been given whole, and only the phrase's own
// start and end fade from and to silence.
class PhraseRenderer {
public:
    PhraseRenderer(const VoiceData& voice, const PitchMap& pitch, float formant_scale, BlockOutput& out)
        : voice_(voice), pitch_(pitch), formant_scale_(formant_scale), out_(out) {}

    // Plays the next segments, reporting each word (if `words` has any; their
    // samples counted from the first of these segments) just before its first
    // sample. `last` ends the phrase. Returns false once the output has stopped.
    bool add(std::span<const Segment> segments, std::span<const WordStart> words, bool last);

private:
    class Accumulator {
    public:
        float* at(int64_t sample, int64_t count);
        int64_t base() const { return base_; }
        float value(int64_t sample) const;
        void drop_before(int64_t sample);

    private:
        std::vector<float> buffer_;
        int64_t base_ = 0;
    };

    bool emit_until(int64_t limit, bool last);

    const VoiceData& voice_;
    PitchMap pitch_;
    float formant_scale_;
    BlockOutput& out_;
    Accumulator sound_;
    std::vector<Segment> segments_;  // from the one the next grain falls in
    std::vector<WordStart> words_;   // not yet reported, samples in the phrase
    double segment_start_ = 0;       // where segments_[0] starts in the phrase's output
    double next_grain_ = 0;
    int64_t total_ = 0, emitted_ = 0;
    bool started_ = false;
};

}  // namespace velnor
