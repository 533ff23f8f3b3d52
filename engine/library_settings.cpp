#include "engine/library_settings.h"

#include "engine/synth_engine.h"

namespace vl {

void apply_library_settings(SynthEngine& engine, const LibrarySettings& settings, void* callback_context) {
    engine.select_voice(settings.voice);  // before the pitch range, which selecting a voice resets
    engine.set_speed_step(settings.rate.step);
    engine.set_tempo(settings.rate.tempo);
    engine.set_volume(settings.volume);
    engine.set_pitch_low(settings.pitch.low);
    engine.set_pitch_high(settings.pitch.high);
    engine.use_main_dictionary(settings.main_dictionary);
    engine.set_callback_context(callback_context);
    if (settings.pause >= 0) engine.set_pause(settings.pause);
}

}  // namespace vl
