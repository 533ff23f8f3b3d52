#pragma once
// Sample-rate conversion by a rational factor through a windowed-sinc
// polyphase filter that also keeps out what the new rate cannot carry.
#include <cstdint>
#include <vector>

namespace vl::voice_tool {

std::vector<int16_t> resample(const std::vector<int16_t>& input, int from_rate, int to_rate);

}  // namespace vl::voice_tool
