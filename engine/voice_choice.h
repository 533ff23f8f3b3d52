#pragma once
// What a voice object keeps for the synthesis library between its requests:
// the library's voice it speaks with. The library holds one voice for the
// whole process, so each request selects its own again.
#include <cstdint>

namespace vl {

struct VoiceChoice {
    int32_t voice = 0;  // 0 Male1, 1 Female1, 2 Male2, 3 Female2
};

}  // namespace vl
