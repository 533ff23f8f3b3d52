#pragma once
// The engine's answer to one speak request: walks the fragments segment by
// segment, prepares and synthesises each in its own call, writes the audio to
// the sink as 16-bit PCM and sends the events the client asked for at their
// places in the audio and in the client's text.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/speak_request.h"
#include "velnor/include/velnor_api.h"

namespace vl {

class SynthEngine;
class FragmentArrival;
struct EngineState;
struct VoiceChoice;

// The whole request of one voice object, from its first step to its last,
// spoken with the voice's own language. Each segment waits for its turn at
// the synthesis library (and the request ends without speaking on when it is
// aborted meanwhile), hands the library the voice object's own voice, and
// writes its audio on this thread as the library makes it on another, so no
// write holds the library. Fragments that come in while the request is spoken
// are waited for through `arrival`.
void speak(std::span<const TextFragment> fragments, OutputSink& sink, SynthEngine& engine, EngineState& state,
           const VoiceChoice& voice, FragmentArrival* arrival = nullptr);

// The text as the engine would read it for the voice if it were one segment,
// prepared with one snapshot of the settings, language and tables.
std::u16string prepare_request_text(std::u16string_view text, const EngineState& state, const VoiceChoice& voice);

// Registered with the engine at voice set-up; the context is the segment's own.
int32_t VELNOR_CALL audio_chunk_callback(void* context, const uint8_t* samples, int32_t count);

// The PCM format of the output: mono, 16 bits, at the sample rate setting.
struct PcmFormat {
    uint16_t format_tag = 1;
    uint16_t channels = 1;
    uint32_t samples_per_second = 0;
    uint32_t average_bytes_per_second = 0;
    uint16_t block_align = 2;
    uint16_t bits_per_sample = 16;
};
PcmFormat output_format(const EngineState& state);

}  // namespace vl
