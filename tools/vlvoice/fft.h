#pragma once
// The discrete Fourier transform of a fixed power-of-two size, in place, with
// the real and imaginary parts in arrays of their own.
#include <cstddef>
#include <vector>

namespace vl::voice_tool {

class Fft {
public:
    explicit Fft(size_t size);  // a power of two, at least 2
    void forward(float* re, float* im) const { run(re, im, 1.0f); }
    // Without the division by the size.
    void inverse(float* re, float* im) const { run(re, im, -1.0f); }

private:
    void run(float* re, float* im, float sign) const;

    size_t size_;
    std::vector<std::pair<size_t, size_t>> swaps_;  // the bit-reversed order
    std::vector<float> cos_, sin_;                  // each stage's twiddles, one after another
};

}  // namespace vl::voice_tool
