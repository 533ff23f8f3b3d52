#include "engine/prosody.h"

#include <algorithm>

#include "engine/synth_engine.h"

namespace vl {

const RateEntry& rate_entry(int32_t rate) { return RateTable[std::clamp(rate, -10, 10) + 10]; }

SegmentProsody segment_prosody(const SiteProsody& site, const TextFragment& markup) {
    SegmentProsody prosody;
    prosody.rate = std::clamp(std::clamp(site.rate, -10, 10) + std::clamp(markup.rate_adj, -10, 10), -10, 10);
    prosody.volume = static_cast<int32_t>(std::min<uint32_t>(site.volume, 100) * std::min<uint32_t>(markup.volume, 100) / 100);
    prosody.pitch = (std::clamp(markup.pitch_middle_adj, -10, 10) + 25) * 2;
    return prosody;
}

void set_library_state(SynthEngine& engine, const LibraryState& state) {
    engine.select_voice(state.voice);  // first: selecting a voice resets the pitch range
    const RateEntry& rate = rate_entry(state.prosody.rate);
    engine.set_speed_step(rate.step);
    engine.set_tempo(rate.tempo);
    engine.set_volume(state.prosody.volume);
    const PitchRange range = pitch_range(state.prosody.pitch, state.intonation, engine.current_voice());
    engine.set_pitch_low(range.low);
    engine.set_pitch_high(range.high);
    engine.use_main_dictionary(state.main_dictionary);
    engine.set_callback_context(state.callback_context);
    if (state.pause >= 0) engine.set_pause(state.pause);
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
