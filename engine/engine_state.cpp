#include "engine/engine_state.h"

#include "engine/voice_choice.h"
#include "store/pronunciation_setup.h"
#include "store/user_dictionary_load.h"

namespace vl {

EngineState& engine_state() {
    static EngineState state;
    return state;
}

const LanguageState& voice_language(const EngineState& state, const VoiceChoice& voice) {
    if (voice.language) return *voice.language;
    return state;
}

void release_voice_state(EngineState& state) {
    for (const auto& language : state.languages.all()) {
        release_pronunciation_tables(language->tables);
        clear_user_dictionary(language->dictionary);
    }
    release_pronunciation_tables(state.tables);
    clear_user_dictionary(state.dictionary);
    state.log.close();
}

void add_voice(EngineState& state) {
    std::lock_guard lock(state.voices_mutex);
    ++state.live_voices;
}

void remove_voice(EngineState& state) {
    std::lock_guard lock(state.voices_mutex);
    if (--state.live_voices == 0) release_voice_state(state);
}

}  // namespace vl
