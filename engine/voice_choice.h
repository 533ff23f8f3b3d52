#pragma once
// What a voice object keeps between its requests: the library's voice it
// speaks with (the library holds one voice for the whole process, so each
// segment selects its own again) and its language's state.
#include <cstdint>
#include <memory>

namespace vl {

struct LanguageState;

struct VoiceChoice {
    int32_t voice = 0;  // 0 Male1, 1 Female1, 2 Male2, 3 Female2
    // Set by the voice's set-up; until then the voice speaks with the
    // process's own language state.
    std::shared_ptr<LanguageState> language;
};

}  // namespace vl
