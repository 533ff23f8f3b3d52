#pragma once
// Rate, volume and pitch of a request, applied to the synthesis engine.
#include <array>
#include <cstdint>

#include "engine/speak_request.h"

namespace vl {

struct EngineState;
struct LibrarySettings;

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

// Takes the site's rate and volume (when its actions ask) and the fragment's
// markup, then the pitch range, into what the library is to hold for the
// request. Runs once per text fragment.
void apply_fragment_prosody(const TextFragment& fragment, OutputSink& sink, LibrarySettings& library,
                            EngineState& state);

// The voice's range widened or narrowed by intonation (50 keeps it) and
// shifted by the pitch (50 keeps it).
PitchRange pitch_range(int32_t pitch, int32_t intonation, int32_t voice);

}  // namespace vl
