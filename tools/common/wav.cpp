#include "tools/common/wav.h"

#include <algorithm>

namespace vl {
namespace {

void put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void put32(std::string& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::string wav_header(uint64_t data_bytes, uint32_t sample_rate) {
    const auto data_size = static_cast<uint32_t>(std::min(data_bytes, kWavMaxDataBytes));
    std::string out;
    out.reserve(44);
    out += "RIFF";
    put32(out, 36 + data_size);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, sample_rate);
    put32(out, sample_rate * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, data_size);
    return out;
}

std::string make_wav(std::string_view pcm_bytes, uint32_t sample_rate) {
    return wav_header(pcm_bytes.size(), sample_rate).append(pcm_bytes);
}

}  // namespace vl
