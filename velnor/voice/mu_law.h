#pragma once
// The 8-bit mu-law code the voice's audio is stored in (G.711): a 16-bit
// sample's sign, segment and four mantissa bits, inverted.
#include <algorithm>
#include <array>
#include <cstdint>

namespace velnor {

constexpr uint8_t mu_law_encode(int16_t sample) {
    constexpr int kBias = 0x84, kClip = 32635;
    int value = sample;
    const uint8_t sign = value < 0 ? 0x80 : 0;
    if (value < 0) value = -value;
    value = std::min(value, kClip) + kBias;
    int segment = 7;
    for (int mask = 0x4000; (value & mask) == 0 && segment > 0; mask >>= 1) --segment;
    const int mantissa = (value >> (segment + 3)) & 0x0F;
    return static_cast<uint8_t>(~(sign | (segment << 4) | mantissa));
}

constexpr int16_t mu_law_decode(uint8_t code) {
    code = static_cast<uint8_t>(~code);
    const int segment = (code >> 4) & 0x07;
    const int magnitude = (((code & 0x0F) << 3) + 0x84) << segment;
    return static_cast<int16_t>((code & 0x80) ? 0x84 - magnitude : magnitude - 0x84);
}

// Every code decoded, as a float in -1..1.
inline const std::array<float, 256>& mu_law_table() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int c = 0; c < 256; ++c) t[c] = static_cast<float>(mu_law_decode(static_cast<uint8_t>(c))) / 32768.0f;
        return t;
    }();
    return table;
}

}  // namespace velnor
