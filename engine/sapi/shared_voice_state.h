#pragma once
// What the last voice object of the process takes down as it goes.
namespace vl {

struct EngineState;

// Empties the letter table, both rewrite lists and the user dictionary and
// closes the log. The symbol table stays.
void release_shared_voice_state(EngineState& state);

}  // namespace vl
