#include "engine/sapi/shared_voice_state.h"

#include "engine/engine_state.h"

namespace vl {

void release_shared_voice_state(EngineState& state) {
    PronunciationTables emptied;
    emptied.symbols = state.tables.get()->symbols;
    state.tables.publish(std::move(emptied));
    clear_user_dictionary(state.dictionary);
    state.log.close();
}

}  // namespace vl
