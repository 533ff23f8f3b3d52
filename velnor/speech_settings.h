#pragma once
// The library's settings and signals: one process-wide record, as in any C
// library. Each value is read where it is used; a speech takes its own copy.
#include <atomic>
#include <cstdint>

#include "velnor/include/velnor_api.h"

namespace velnor {

// The settings one speech is made with.
struct SpeechSettings {
    int32_t voice = 0;         // 0..3: Male1, Female1, Male2, Female2
    int32_t volume = 100;      // 0..100
    int32_t pitch_low = 90;    // Hz
    int32_t pitch_high = 130;  // Hz
    int32_t pause = -1;        // 0..100, or -1: a pause that follows the rate
    int32_t speed_step = 7;    // 0..7
    int32_t tempo = 90;        // 10..100
    bool main_dictionary = true;
    bool report_words = false;
};

struct SharedSettings {
    std::atomic<int32_t> use_main_dictionary{1};
    std::atomic<int32_t> report_words{0};
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
        return {voice.load(), volume.load(), pitch_low.load(), pitch_high.load(), pause.load(),
                speed_step.load(), tempo.load(), use_main_dictionary.load() != 0, report_words.load() != 0};
    }
};

// Duration factor of a speed step and tempo: 1 at step 7, tempo 90; step 0 is
// the slowest, then 7 down to 1; a higher tempo is faster.
inline float duration_factor(int32_t speed_step, int32_t tempo) {
    const float slowness = speed_step == 0 ? 8.0f : static_cast<float>(speed_step);
    const float tempo_factor = 150.0f / (50.0f + static_cast<float>(tempo));
    return slowness * tempo_factor / (7.0f * 150.0f / 140.0f);
}

// The pause after a phrase ending a sentence: the set one (0..100, in 10 ms
// steps), or the recorded speaker's own 500 ms following the rate.
inline float sentence_pause_ms(const SpeechSettings& settings) {
    return settings.pause >= 0 ? static_cast<float>(settings.pause) * 10.0f
                               : 500.0f * duration_factor(settings.speed_step, settings.tempo);
}

// The pause after a comma: 0.6 of a sentence's, as the speaker's 300 ms
// against his 500 where he pauses at one.
inline float comma_pause_ms(const SpeechSettings& settings) { return sentence_pause_ms(settings) * 0.6f; }

}  // namespace velnor
