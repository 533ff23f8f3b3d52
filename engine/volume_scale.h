#pragma once
// A 16-bit sample made at one volume, as it sounds at another: how a volume
// change reaches audio already made, in process and through the bridge alike.
#include <algorithm>
#include <cstdint>

namespace vl {

inline int16_t at_volume(int16_t sample, int32_t wanted, int32_t made) {
    return static_cast<int16_t>(std::clamp(sample * wanted / made, -32768, 32767));
}

}  // namespace vl
