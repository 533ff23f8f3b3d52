#pragma once
// The synthesis engine as the driver sees it: one operation per ordinal of the
// velnor library, so that tests can stand a recording engine in its place.
#include <cstdint>

#include "velnor/include/velnor_api.h"

namespace vl {

class SynthEngine {
public:
    virtual ~SynthEngine() = default;
    virtual int32_t ready() = 0;                                       // 19
    virtual void set_audio_callback(synth_audio_callback callback) = 0;  // 3
    virtual void select_voice(int32_t voice) = 0;                      // 12
    virtual int32_t current_voice() = 0;                               // 14
    virtual void use_main_dictionary(int32_t on) = 0;                  // 1
    virtual void set_callback_context(void* context) = 0;              // 2
    virtual void set_volume(int32_t volume) = 0;                       // 7
    virtual void set_pause(int32_t pause) = 0;                         // 10
    virtual void set_speed_step(int32_t step) = 0;                     // 11
    virtual void set_tempo(int32_t tempo) = 0;                         // 13
    virtual void set_pitch_low(int32_t pitch) = 0;                     // 9
    virtual void set_pitch_high(int32_t pitch) = 0;                    // 8
    virtual void speak(const char* text) = 0;                          // 6
    virtual void stop() = 0;                                           // 5
    // Asks for the library's reports of where each word's audio starts (20,
    // which a library need not export); true when they will come.
    virtual bool report_words(bool) { return false; }
};

// The velnor library linked into this process.
SynthEngine& velnor_engine();

}  // namespace vl
