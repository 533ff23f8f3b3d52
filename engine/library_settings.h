#pragma once
// Everything the synthesis library holds that shapes a request's audio, and
// the one function that hands it all to the library. A request sets all of it
// while it has its turn, so nothing another voice object set before leaks
// into its speech.
#include <cstdint>

#include "engine/prosody.h"

namespace vl {

class SynthEngine;

struct LibrarySettings {
    int32_t voice = 0;                     // 0 Male1, 1 Female1, 2 Male2, 3 Female2
    RateEntry rate = RateTable[10];        // rate 0, the library's own start: step 7, tempo 90
    int32_t volume = 100;
    PitchRange pitch = VoicePitchRanges[0];
    int32_t pause = -1;                    // -1: not sent, the library keeps its own
    int32_t main_dictionary = 0;
};

// Voice, rate, volume, pitch range, dictionary switch, callback context and
// (when not -1) pause, in the order the library expects them before speaking.
void apply_library_settings(SynthEngine& engine, const LibrarySettings& settings, void* callback_context);

}  // namespace vl
