#pragma once
// The package's eight voices.
#include <array>
#include <cstdint>
#include <string_view>

namespace vl {

inline constexpr std::array<std::u16string_view, 8> kVoiceNames = {
    u"Velnor_Male1_Russian",   u"Velnor_Female1_Russian",   u"Velnor_Male2_Russian",   u"Velnor_Female2_Russian",
    u"Velnor_Male1_Ukrainian", u"Velnor_Female1_Ukrainian", u"Velnor_Male2_Ukrainian", u"Velnor_Female2_Ukrainian",
};

// The engine's voice index (0 Male1, 1 Female1, 2 Male2, 3 Female2) of a voice
// name compared exactly; any other name gives 0.
int32_t voice_index(std::u16string_view name);

}  // namespace vl
