#include "engine/prosody.h"

#include <algorithm>

#include "engine/engine_state.h"
#include "engine/library_settings.h"

namespace vl {

const RateEntry& rate_entry(int32_t rate) { return RateTable[std::clamp(rate, -10, 10) + 10]; }

void apply_fragment_prosody(const TextFragment& fragment, OutputSink& sink, LibrarySettings& library,
                            EngineState& state) {
    const uint32_t actions = sink.get_actions();
    if (actions & kActionRate) {
        int32_t rate = sink.get_rate();
        if (fragment.rate_adj != 0) {
            rate = fragment.rate_adj;
            state.last_rate_override = fragment.rate_adj;
        } else if (state.last_rate_override != 0) {
            rate = 0;
        }
        library.rate = rate_entry(rate);
    }
    if (actions & kActionVolume) {
        uint16_t volume = sink.get_volume();
        if (fragment.volume < 100) volume = static_cast<uint16_t>(fragment.volume);
        library.volume = static_cast<int16_t>(volume);
    }
    library.pitch = pitch_range((fragment.pitch_middle_adj + 25) * 2, state.settings.intonation, library.voice);
}

PitchRange pitch_range(int32_t pitch, int32_t intonation, int32_t voice) {
    PitchRange range = VoicePitchRanges[voice >= 0 && voice < 4 ? voice : 0];
    const auto spread = static_cast<int32_t>((range.high - range.low) / 50.0 * ((intonation - 50.0) / 2.0));
    range.low -= spread;
    range.high += spread;
    const auto shift = static_cast<int32_t>((pitch - 50.0) / 1.3);
    range.low += shift;
    range.high += shift;
    return range;
}

}  // namespace vl
