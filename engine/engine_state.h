#pragma once
// Everything the engine shares between the voice objects of a process. The
// process has one instance (engine_state()); tests build their own. Its own
// language state is that of a voice object not set up yet.
#include <cstdint>
#include <mutex>
#include <string>

#include "engine/language_state.h"
#include "engine/settings.h"
#include "engine/speak_log.h"
#include "engine/synthesis_turn.h"
#include "engine/voice_setup.h"
#include "platform/reload_signal.h"

namespace vl {

struct VoiceChoice;

struct EngineState : LanguageState {
    Settings settings;
    LanguageStates languages;  // of the voices set up
    SpeakLog log;
    SynthesisLock synthesis;
    // The voice objects alive, and the lock that orders every voice set-up
    // against the last voice object's release.
    std::mutex voices_mutex;
    int32_t live_voices = 0;
    // The named mutex under which the engine writes the files it shares with
    // the configurer; tests give it a name of their own.
    std::u16string shared_files_mutex{reload_mutex_name};
};

EngineState& engine_state();

// The language state the voice speaks with.
const LanguageState& voice_language(const EngineState& state, const VoiceChoice& voice);

// What the last voice object of a process gives up: the letter tables, the
// rewrite lists and the user dictionaries are emptied and the log is closed.
void release_voice_state(EngineState& state);

// A voice object is made, or released. The release of the last one gives up
// the voice state; a set-up running on another thread meanwhile finishes
// before it or starts after it, so a live voice always keeps its tables.
void add_voice(EngineState& state);
void remove_voice(EngineState& state);

}  // namespace vl
