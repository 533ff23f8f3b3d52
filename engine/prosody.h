#pragma once
// Rate, volume and pitch of a segment, and everything the synthesis library
// holds for a request, set before each synthesis call.
#include <array>
#include <cstdint>

#include "engine/speak_request.h"

namespace vl {

class SynthEngine;

struct RateEntry {
    int32_t tempo;  // for the engine's tempo (10..100)
    int32_t step;   // for the engine's speed step (0..7)
};

// Indexed by rate + 10 for rates -10..+10.
inline constexpr std::array<RateEntry, 21> RateTable = {{
    {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}, {70, 0}, {80, 0}, {90, 0}, {100, 0},
    {90, 7},
    {100, 7}, {95, 6}, {100, 6}, {90, 5}, {100, 5}, {90, 4}, {100, 4}, {90, 3}, {100, 3}, {90, 2},
}};

struct PitchRange {
    int32_t low;
    int32_t high;
};

// The base pitch range of each voice: Male1, Female1, Male2, Female2.
inline constexpr std::array<PitchRange, 4> VoicePitchRanges = {{{90, 130}, {190, 330}, {60, 120}, {220, 340}}};

// The table entry of a rate; rates beyond -10..+10 take the nearest end.
const RateEntry& rate_entry(int32_t rate);

// The site's rate and volume as last reported.
struct SiteProsody {
    int32_t rate = 0;      // -10..10
    uint16_t volume = 100; // 0..100
};

struct SegmentProsody {
    int32_t rate = 0;      // -10..10
    int32_t volume = 100;  // 0..100
    int32_t pitch = 50;    // 30..70; 50 without pitch markup
};

// The site's rate plus the markup's adjustment, clamped to -10..10; the
// site's volume scaled by the markup's volume ÷ 100; the pitch of the markup.
// Every value is clamped to its range first.
SegmentProsody segment_prosody(const SiteProsody& site, const TextFragment& markup);

// Everything the synthesis library holds for a request.
struct LibraryState {
    SegmentProsody prosody;
    int32_t intonation = 50;
    int32_t main_dictionary = 0;        // 0 or 1
    void* callback_context = nullptr;
    int32_t pause = -1;                 // -1: the library keeps its own
    int32_t voice = 0;                  // the voice object's voice, selected first
};

// Hands the library the whole state, in the order the library expects:
// voice, speed step, tempo, volume, pitch range, dictionary, context, pause.
void set_library_state(SynthEngine& engine, const LibraryState& state);

// The voice's range widened or narrowed by intonation (50 keeps it) and
// shifted by the pitch (50 keeps it).
PitchRange pitch_range(int32_t pitch, int32_t intonation, int32_t voice);

}  // namespace vl
