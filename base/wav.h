#pragma once
// RIFF WAVE files of 16-bit mono PCM.
#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// The whole file: header and the little-endian sample bytes given.
std::string make_wav(std::string_view pcm_bytes, uint32_t sample_rate);

}  // namespace vl
