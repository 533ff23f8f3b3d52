#pragma once
// The engine's settings and signals: one process-wide record, as in any C
// library. Each value is read where it is used; a speech takes its own copy.
#include <atomic>
#include <cstdint>

#include "velnor/include/velnor_api.h"

namespace vl::velnor {

// The settings one speech is made with.
struct SpeechSettings {
    int32_t voice = 0;         // 0..3: Male1, Female1, Male2, Female2
    int32_t volume = 100;      // 0..100
    int32_t pitch_low = 90;    // Hz
    int32_t pitch_high = 130;  // Hz
    int32_t pause = -1;        // 0..100, or -1: a pause that follows the rate
    int32_t speed_step = 7;    // 0..7
    int32_t tempo = 90;        // 10..100
};

struct EngineState {
    std::atomic<int32_t> use_main_dictionary{1};
    std::atomic<void*> callback_context{nullptr};
    std::atomic<synth_audio_callback> callback{nullptr};
    std::atomic<int32_t> voice{0};
    std::atomic<int32_t> volume{100};
    std::atomic<int32_t> pitch_low{90};
    std::atomic<int32_t> pitch_high{130};
    std::atomic<int32_t> pause{-1};
    std::atomic<int32_t> speed_step{7};
    std::atomic<int32_t> tempo{90};
    std::atomic<uint32_t> stop_epoch{0};

    SpeechSettings snapshot() const {
        return {voice.load(), volume.load(), pitch_low.load(), pitch_high.load(),
                pause.load(), speed_step.load(), tempo.load()};
    }
};

}  // namespace vl::velnor
