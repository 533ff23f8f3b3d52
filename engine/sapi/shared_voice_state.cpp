#include "engine/sapi/shared_voice_state.h"

#include "engine/engine_state.h"

namespace vl {

void release_shared_voice_state(EngineState& state) {
    state.tables.publish(PronunciationTables{});
    state.dictionary.publish(UserDictionary{});
    state.log.close();
}

}  // namespace vl
