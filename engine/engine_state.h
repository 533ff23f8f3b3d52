#pragma once
// Everything the engine shares between the voice objects of a process. The
// process has one instance (engine_state()); tests build their own.
#include <cstdint>
#include <string>

#include "base/published.h"
#include "engine/settings.h"
#include "engine/speak_log.h"
#include "engine/voice_setup.h"
#include "textprep/pronunciation_tables.h"
#include "textprep/user_dictionary.h"

namespace vl {

struct EngineState {
    Settings settings;
    Published<std::u16string> language;  // the voice token's language code, such as "419"
    Published<DataFolders> folders;
    Published<PronunciationTables> tables;
    Published<UserDictionary> dictionary;
    SpeakLog log;
};

EngineState& engine_state();

// What the last voice object of a process gives up: the letter table, both
// rewrite lists and the user dictionary are emptied and the log is closed.
void release_voice_state(EngineState& state);

}  // namespace vl
