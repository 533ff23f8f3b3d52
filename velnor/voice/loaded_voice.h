#pragma once
// The voice this process speaks with: the file named by VELNOR_VOICE, or
// velnor.voice beside the library's module, mapped and checked once. Every
// speech shares it; it lives until the process ends.
#include <memory>

#include "velnor/phonetics/lexicon.h"
#include "velnor/voice/platform.h"
#include "velnor/voice/voice_data.h"

namespace velnor {

struct LoadedVoice {
    std::unique_ptr<MappedFile> file;
    VoiceData data;
    Lexicon lexicon;
};

// The voice, or null when there is none that can be used (the reason has then
// gone to the log, once).
const LoadedVoice* loaded_voice();

}  // namespace velnor
