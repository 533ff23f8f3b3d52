#include "engine/voices.h"

namespace vl {

int32_t voice_index(std::u16string_view name) {
    for (size_t i = 0; i < kVoiceNames.size(); ++i) {
        if (kVoiceNames[i] == name) return static_cast<int32_t>(i % 4);
    }
    return 0;
}

}  // namespace vl
