#include "engine/engine_state.h"

#include "textprep/pronunciation_setup.h"

namespace vl {

EngineState& engine_state() {
    static EngineState state;
    return state;
}

void release_voice_state(EngineState& state) {
    release_pronunciation_tables(state.tables);
    clear_user_dictionary(state.dictionary);
    state.log.close();
}

}  // namespace vl
