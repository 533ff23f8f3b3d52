#include "engine/speak_driver.h"

#include <algorithm>
#include <array>
#include <new>
#include <string>

#include "engine/engine_charset.h"
#include "engine/engine_state.h"
#include "engine/fragments.h"
#include "engine/library_settings.h"
#include "engine/synth_engine.h"
#include "engine/synthesis_turn.h"
#include "textprep/prepare_text.h"

namespace vl {
namespace {

constexpr size_t kBlockSamples = 2048;
constexpr uint8_t kSilence[11000] = {};

// What one request lends the engine's callback for the length of the request.
struct SpeakContext {
    OutputSink& sink;
    SynthEngine& engine;
    bool output_stopped = false;
    std::array<int16_t, kBlockSamples> buffer{};
};

// Zero bytes for a silence of the given length; false if the output stopped.
bool write_silence(OutputSink& sink, const Settings& settings, int32_t milliseconds) {
    if (milliseconds <= 0) return true;
    size_t bytes = static_cast<size_t>(settings.sample_rate * 2 / 1000) * static_cast<size_t>(milliseconds);
    while (bytes > 0) {
        const size_t piece = std::min(bytes, sizeof kSilence);
        if (!sink.write(kSilence, static_cast<uint32_t>(piece), WriteKind::silence)) return false;
        bytes -= piece;
    }
    return true;
}

}  // namespace

std::u16string prepare_request_text(std::u16string_view text, const EngineState& state) {
    const auto language = state.language.get();
    const auto tables = state.tables.get();
    const auto dictionary = state.dictionary.get();
    const PrepareContext context{*language, state.settings.use_dictionary, state.settings.disable_decimal_separator,
                                 *tables, *dictionary};
    return prepare_text(text, context);
}

int32_t VELNOR_CALL audio_chunk_callback(void* context, const uint8_t* samples, int32_t count) {
    auto& speak = *static_cast<SpeakContext*>(context);
    if ((speak.sink.get_actions() & kActionAbort) != 0 || speak.output_stopped) {
        speak.engine.stop();
        return 1;
    }
    if (samples == nullptr || count <= 0) return 0;
    for (int32_t done = 0; done < count;) {
        const int32_t block = std::min<int32_t>(count - done, kBlockSamples);
        for (int32_t i = 0; i < block; ++i) speak.buffer[i] = static_cast<int16_t>((samples[done + i] - 128) * 256);
        if (!speak.sink.write(speak.buffer.data(), static_cast<uint32_t>(block * 2), WriteKind::audio)) {
            speak.output_stopped = true;
            speak.engine.stop();
            return 1;
        }
        done += block;
    }
    return 0;
}

void speak(std::span<const TextFragment> fragments, OutputSink& sink, SynthEngine& engine, EngineState& state,
           LibrarySettings& voice) {
    const SynthesisTurn turn(state.synthesis, sink);
    if (!turn) return;
    const std::u16string text = collect_fragment_text(fragments, sink, voice, state);
    if (text.empty()) return;
    const std::u16string prepared = prepare_request_text(text, state);
    state.log.append_line(prepared);
    sink.add_event(SpeakEvent{kEventWordBoundary, kParamUndefined, static_cast<uint32_t>(prepared.size()), 1, nullptr});

    const int32_t use_dictionary = state.settings.use_dictionary;
    const bool russian = *state.language.get() == kRussianLanguage;
    voice.main_dictionary = (use_dictionary == 1 || use_dictionary == 2) && russian ? 1 : 0;
    voice.pause = state.settings.pause;

    SpeakContext context{sink, engine};
    std::string converted;
    try {
        converted = to_engine_charset(prepared);
    } catch (const std::bad_alloc&) {
        return;
    }
    apply_library_settings(engine, voice, &context);
    if (!write_silence(sink, state.settings, state.settings.silence_at_begin)) return;
    engine.speak(converted.c_str());
    if (context.output_stopped || (sink.get_actions() & kActionAbort) != 0) return;
    write_silence(sink, state.settings, state.settings.silence_at_end);
}

PcmFormat output_format(const EngineState& state) {
    PcmFormat format;
    format.samples_per_second = static_cast<uint32_t>(state.settings.sample_rate.load());
    format.average_bytes_per_second = format.samples_per_second * format.block_align;
    return format;
}

}  // namespace vl
