#include "engine/synth_engine.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vl {
namespace {

class VelnorEngine final : public SynthEngine {
public:
    int32_t ready() override { return synth_ready(); }
    void set_audio_callback(synth_audio_callback callback) override { synth_set_audio_callback(callback); }
    void select_voice(int32_t voice) override { synth_select_voice(voice); }
    int32_t current_voice() override { return synth_current_voice(); }
    void use_main_dictionary(int32_t on) override { synth_use_main_dictionary(on); }
    void set_callback_context(void* context) override { synth_set_callback_context(context); }
    void set_volume(int32_t volume) override { synth_set_volume(volume); }
    void set_pause(int32_t pause) override { synth_set_pause(pause); }
    void set_speed_step(int32_t step) override { synth_set_speed_step(step); }
    void set_tempo(int32_t tempo) override { synth_set_tempo(tempo); }
    void set_pitch_low(int32_t pitch) override { synth_set_pitch_low(pitch); }
    void set_pitch_high(int32_t pitch) override { synth_set_pitch_high(pitch); }
    void speak(const char* text) override { synth_speak(text, 0); }
    void stop() override { synth_stop(); }
    bool report_words(bool on) override {
#if defined(_WIN32)
        // Looked up by ordinal: a velnor.dll without it still loads.
        using ReportWords = int32_t(VELNOR_CALL*)(int32_t);
        static const auto report = reinterpret_cast<ReportWords>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"velnor.dll"), MAKEINTRESOURCEA(20))));
        return report != nullptr && report(on ? 1 : 0) == 1;
#else
        return synth_report_words(on ? 1 : 0) == 1;
#endif
    }
};

}  // namespace

SynthEngine& velnor_engine() {
    static VelnorEngine engine;
    return engine;
}

}  // namespace vl
