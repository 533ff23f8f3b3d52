#include "velnor/noise_shaper.h"

#include <cmath>

namespace velnor {
// The prediction filter of the last kWindow samples (autocorrelation of a Hann
// window, Levinson-Durbin), its taps damped by damping^k.
void NoiseShaper::update() {
    since_update_ = 0;
    static const std::array<float, kWindow> hann = [] {
        constexpr double kPi = 3.14159265358979323846;
        std::array<float, kWindow> w{};
        for (size_t i = 0; i < kWindow; ++i) w[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * (i + 0.5) / kWindow));
        return w;
    }();
    std::array<float, kWindow> windowed{};
    for (size_t i = 0; i < kWindow; ++i) windowed[i] = history_[(at_ + i) % kWindow] * hann[i];
    std::array<double, kOrder + 1> r{};
    for (size_t lag = 0; lag <= kOrder; ++lag) {
        std::array<float, 8> lanes{};  // eight sums side by side, so that the loop vectorises
        size_t i = lag;
        for (; i + 8 <= kWindow; i += 8)
            for (size_t l = 0; l < 8; ++l) lanes[l] += windowed[i + l] * windowed[i + l - lag];
        for (; i < kWindow; ++i) lanes[0] += windowed[i] * windowed[i - lag];
        for (const float lane : lanes) r[lag] += lane;
    }
    filter_.fill(0.0f);
    if (!(r[0] > 1e-9 && r[0] < 1e30)) return;  // silence, or samples that are no numbers: the noise is left flat
    r[0] *= 1.0001;            // a floor under the envelope keeps the filter stable
    std::array<double, kOrder + 1> a{1.0};
    double error = r[0];
    for (size_t i = 1; i <= kOrder; ++i) {
        double acc = r[i];
        for (size_t j = 1; j < i; ++j) acc += a[j] * r[i - j];
        const double k = -acc / error;
        std::array<double, kOrder + 1> previous = a;
        for (size_t j = 1; j < i; ++j) a[j] = previous[j] + k * previous[i - j];
        a[i] = k;
        error *= 1.0 - k * k;
        if (error <= 0) return;
    }
    double factor = 1.0;
    for (size_t k = 0; k < kOrder; ++k) {
        factor *= damping_;
        filter_[k] = static_cast<float>(a[k + 1] * factor);
    }
}

}  // namespace velnor
