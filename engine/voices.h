#pragma once
// The engine's voice of a voice name: every language has the voices of
// kVoiceKinds (contract/languages.h).
#include <cstdint>
#include <string_view>

namespace vl {

// The engine's voice index (0 Male1, 1 Female1, 2 Male2, 3 Female2) of a voice
// name compared exactly; any other name gives 0.
int32_t voice_index(std::u16string_view name);

}  // namespace vl
