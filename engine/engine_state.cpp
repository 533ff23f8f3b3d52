#include "engine/engine_state.h"

namespace vl {

EngineState& engine_state() {
    static EngineState state;
    return state;
}

}  // namespace vl
