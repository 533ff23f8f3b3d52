#include "tools/vlvoice/resample.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vl::voice_tool {

std::vector<int16_t> resample(const std::vector<int16_t>& input, int from_rate, int to_rate) {
    const int divisor = std::gcd(from_rate, to_rate);
    const int up = to_rate / divisor, down = from_rate / divisor;
    constexpr int kTapsPerPhase = 128;
    const int taps = kTapsPerPhase * up;
    // Low-pass at 95% of the lower Nyquist frequency, at the up-sampled rate,
    // over 128 input samples: a shorter filter had dulled the top 1.5 kHz.
    const double cutoff = 0.95 * 0.5 * std::min(from_rate, to_rate) / (static_cast<double>(from_rate) * up);
    const double pi = std::acos(-1.0);
    std::vector<float> filter(taps);
    for (int i = 0; i < taps; ++i) {
        const double x = i - (taps - 1) / 2.0;
        const double sinc = x == 0 ? 2 * cutoff : std::sin(2 * pi * cutoff * x) / (pi * x);
        const double window = 0.42 - 0.5 * std::cos(2 * pi * i / (taps - 1)) + 0.08 * std::cos(4 * pi * i / (taps - 1));
        filter[i] = static_cast<float>(sinc * window * up);
    }
    const size_t out_count = input.size() * up / down;
    std::vector<int16_t> output(out_count);
    const long delay = (taps - 1) / 2;
    for (size_t n = 0; n < out_count; ++n) {
        // Output n sits at up-sampled position n*down; input k at k*up.
        const long centre = static_cast<long>(n) * down + delay;
        const long last_input = centre / up;
        double sum = 0;
        for (long k = last_input; k >= 0 && centre - k * up < taps; --k) {
            if (k < static_cast<long>(input.size())) sum += filter[centre - k * up] * input[k];
        }
        output[n] = static_cast<int16_t>(std::clamp(std::lround(sum), -32768L, 32767L));
    }
    return output;
}

}  // namespace vl::voice_tool
