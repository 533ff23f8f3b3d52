#pragma once
// A library that hands every call on to another: tests and benchmarks
// override the calls they watch or hide.
#include "engine/synth_engine.h"

namespace vl::test {

class ForwardingEngine : public SynthEngine {
public:
    explicit ForwardingEngine(SynthEngine& library) : library_(library) {}

    int32_t ready() override { return library_.ready(); }
    void set_audio_callback(synth_audio_callback callback) override { library_.set_audio_callback(callback); }
    void select_voice(int32_t voice) override { library_.select_voice(voice); }
    int32_t current_voice() override { return library_.current_voice(); }
    void use_main_dictionary(int32_t on) override { library_.use_main_dictionary(on); }
    void set_callback_context(void* context) override { library_.set_callback_context(context); }
    void set_volume(int32_t volume) override { library_.set_volume(volume); }
    void set_pause(int32_t pause) override { library_.set_pause(pause); }
    void set_speed_step(int32_t step) override { library_.set_speed_step(step); }
    void set_tempo(int32_t tempo) override { library_.set_tempo(tempo); }
    void set_pitch_low(int32_t pitch) override { library_.set_pitch_low(pitch); }
    void set_pitch_high(int32_t pitch) override { library_.set_pitch_high(pitch); }
    void speak(const char* text) override { library_.speak(text); }
    void stop() override { library_.stop(); }
    bool report_words(bool on) override { return library_.report_words(on); }

protected:
    SynthEngine& library_;
};

}  // namespace vl::test
