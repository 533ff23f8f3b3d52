#include "tools/vlvoice/fft.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace vl::voice_tool {

Fft::Fft(size_t size) : size_(size) {
    if (size < 2 || (size & (size - 1)) != 0) throw std::invalid_argument("the transform's size is no power of two");
    for (size_t i = 1, j = 0; i < size; ++i) {
        size_t bit = size >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) swaps_.emplace_back(i, j);
    }
    for (size_t half = 1; half < size; half <<= 1)
        for (size_t k = 0; k < half; ++k) {
            const double angle = -M_PI * static_cast<double>(k) / static_cast<double>(half);
            cos_.push_back(static_cast<float>(std::cos(angle)));
            sin_.push_back(static_cast<float>(std::sin(angle)));
        }
}

void Fft::run(float* re, float* im, float sign) const {
    for (const auto& [i, j] : swaps_) {
        std::swap(re[i], re[j]);
        std::swap(im[i], im[j]);
    }
    const float* wc = cos_.data();
    const float* ws = sin_.data();
    for (size_t half = 1; half < size_; wc += half, ws += half, half <<= 1)
        for (size_t i = 0; i < size_; i += 2 * half) {
            float *ar = re + i, *ai = im + i, *br = re + i + half, *bi = im + i + half;
            for (size_t k = 0; k < half; ++k) {
                const float s = sign * ws[k];
                const float tr = br[k] * wc[k] - bi[k] * s, ti = br[k] * s + bi[k] * wc[k];
                br[k] = ar[k] - tr;
                bi[k] = ai[k] - ti;
                ar[k] += tr;
                ai[k] += ti;
            }
        }
}

}  // namespace vl::voice_tool
