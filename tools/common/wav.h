#pragma once
// RIFF WAVE files of 16-bit mono PCM.
#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// The most sample bytes a WAV header can count: its RIFF size, 36 more, is 32-bit.
constexpr uint64_t kWavMaxDataBytes = 0xFFFFFFFFull - 36;

// The 44-byte header of a file holding data_bytes of samples (at most
// kWavMaxDataBytes). A stream of unknown length gets kWavMaxDataBytes.
std::string wav_header(uint64_t data_bytes, uint32_t sample_rate);

// The whole file: header and the little-endian sample bytes given.
std::string make_wav(std::string_view pcm_bytes, uint32_t sample_rate);

}  // namespace vl
