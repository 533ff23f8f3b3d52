#pragma once
// One request spoken: the text read phrase by phrase, each phrase's units
// chosen, timed and played before the next phrase is read, with a pause after
// each phrase as its punctuation asks.
#include "velnor/block_output.h"
#include "velnor/speech_settings.h"
#include "velnor/voice/loaded_voice.h"

namespace velnor {

void speak_text(const char* text, const SpeechSettings& settings, const LoadedVoice& voice, BlockOutput& out);

}  // namespace velnor
