// The library's exported functions. Settings are clamped to their ranges and
// kept in one process-wide record; synth_speak synthesises on the caller's
// thread with the recorded voice and hands every block to the callback before
// it returns.
#include <algorithm>
#include <cstdint>
#include <string>

#include "velnor/include/velnor_api.h"
#include "velnor/phonetics/phone_text.h"
#include "velnor/speech_settings.h"
#include "velnor/synthesis/speech.h"

namespace velnor {
namespace {

SharedSettings g_state;

// The stop flag of the synthesis running on this thread, if any.
thread_local std::atomic<bool>* t_stop = nullptr;

struct VoicePitch {
    int32_t low, high;
};
constexpr VoicePitch kVoicePitch[4] = {{90, 130}, {190, 330}, {60, 120}, {220, 340}};
constexpr int32_t kMinPitch = 30;
constexpr int32_t kMaxPitch = 600;

int32_t store(std::atomic<int32_t>& setting, int32_t value, int32_t low, int32_t high) {
    value = std::clamp(value, low, high);
    setting.store(value);
    return value;
}

int32_t speak(const char* text) {
    const synth_audio_callback callback = g_state.callback.load();
    const LoadedVoice* voice = loaded_voice();
    if (text == nullptr || callback == nullptr || voice == nullptr) return -1;
    std::atomic<bool> stop{false};
    // A callback may itself speak: the outer speech gets its stop flag back after.
    struct ThreadStop {
        std::atomic<bool>* outer = t_stop;
        explicit ThreadStop(std::atomic<bool>* own) { t_stop = own; }
        ~ThreadStop() { t_stop = outer; }
    } thread_stop(&stop);
    const SpeechSettings settings = g_state.snapshot();
    const float gain = static_cast<float>(settings.volume) / 100.0f;
    BlockOutput out(callback, g_state.callback_context.load(), gain, {&stop, &g_state.stop_epoch, g_state.stop_epoch.load()});
    speak_text(text, settings, *voice, out);
    out.finish();
    return out.stopped() ? 1 : 0;
}

}  // namespace
}  // namespace velnor

using velnor::g_state;

extern "C" {

int32_t VELNOR_CALL synth_use_main_dictionary(int32_t on) {
    g_state.use_main_dictionary.store(on != 0);
    return on != 0;
}

int32_t VELNOR_CALL synth_set_callback_context(void* context) {
    g_state.callback_context.store(context);
    return 0;
}

int32_t VELNOR_CALL synth_set_audio_callback(synth_audio_callback callback) {
    g_state.callback.store(callback);
    return 0;
}

int32_t VELNOR_CALL synth_stop() {
    // From inside the callback this ends the speech of this thread; from
    // elsewhere it ends every speech running now.
    if (velnor::t_stop != nullptr) velnor::t_stop->store(true);
    else g_state.stop_epoch.fetch_add(1);
    return 0;
}

int32_t VELNOR_CALL synth_speak(const char* text, int32_t flags) {
    try {
        return velnor::speak(text);
    } catch (...) {
        return -1;
    }
}

int32_t VELNOR_CALL synth_set_volume(int32_t volume) { return velnor::store(g_state.volume, volume, 0, 100); }

int32_t VELNOR_CALL synth_set_pitch_high(int32_t pitch) {
    return velnor::store(g_state.pitch_high, pitch, velnor::kMinPitch, velnor::kMaxPitch);
}

int32_t VELNOR_CALL synth_set_pitch_low(int32_t pitch) {
    return velnor::store(g_state.pitch_low, pitch, velnor::kMinPitch, velnor::kMaxPitch);
}

// -1 brings back the pause that follows the rate.
int32_t VELNOR_CALL synth_set_pause(int32_t pause) { return velnor::store(g_state.pause, pause, -1, 100); }

int32_t VELNOR_CALL synth_set_speed_step(int32_t step) { return velnor::store(g_state.speed_step, step, 0, 7); }

// Selecting a voice also gives it its own pitch range until the range is set again.
int32_t VELNOR_CALL synth_select_voice(int32_t voice) {
    voice = velnor::store(g_state.voice, voice, 0, 3);
    g_state.pitch_low.store(velnor::kVoicePitch[voice].low);
    g_state.pitch_high.store(velnor::kVoicePitch[voice].high);
    return voice;
}

int32_t VELNOR_CALL synth_set_tempo(int32_t tempo) { return velnor::store(g_state.tempo, tempo, 10, 100); }

int32_t VELNOR_CALL synth_current_voice() { return g_state.voice.load(); }

int32_t VELNOR_CALL synth_ready() { return velnor::loaded_voice() != nullptr; }

int32_t VELNOR_CALL synth_report_words(int32_t on) {
    g_state.report_words.store(on != 0);
    return on != 0;
}

int32_t VELNOR_CALL synth_text_phones(const char* text, char* out, int32_t size) {
    if (text == nullptr || size < 0 || (out == nullptr && size > 0)) return -1;
    try {
        // Without a voice file the text's marks and the rules alone stress the words.
        const velnor::LoadedVoice* voice = velnor::loaded_voice();
        const bool dictionary = voice != nullptr && g_state.use_main_dictionary.load() != 0;
        const std::string phones = velnor::phone_text(text, dictionary ? &voice->lexicon : nullptr);
        if (size > 0) {
            const size_t copied = std::min(phones.size(), static_cast<size_t>(size) - 1);
            std::copy_n(phones.data(), copied, out);
            out[copied] = '\0';
        }
        return static_cast<int32_t>(std::min<size_t>(phones.size(), INT32_MAX));
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
