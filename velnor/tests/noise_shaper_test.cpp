#include "velnor/noise_shaper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velnor {
namespace {

float round_to_step(float wanted) { return std::round(wanted); }

// The rounding error's power above the speech's band: its second difference.
double high_band_power(const std::vector<float>& error) {
    double sum = 0;
    for (size_t i = 2; i < error.size(); ++i) {
        const double d = error[i] - 2 * error[i - 1] + error[i - 2];
        sum += d * d;
    }
    return sum / static_cast<double>(error.size());
}

// Quiet voiced sound, a few steps loud and all below 1 kHz, then a sample that
// is no number, then silence: the shaped error keeps out of the empty band
// above, stays bounded, and silence comes out as silence.
TEST(NoiseShaper, KeepsTheErrorUnderTheSoundAndSilenceSilent) {
    constexpr double kPi = 3.14159265358979323846;
    std::vector<float> sound(20000, 0.0f);
    sound[15050] = std::nanf("");
    for (size_t i = 0; i < 15000; ++i)
        for (int h = 1; h <= 8; ++h)
            sound[i] += static_cast<float>(12.0 / h * std::sin(2 * kPi * 120.0 * h * static_cast<double>(i) / 10000.0));
    NoiseShaper shaper(0.25, 8.0f);
    std::vector<float> shaped_error, plain_error;
    std::vector<float> out;
    for (const float s : sound) {
        out.push_back(shaper.next(s, round_to_step));
        shaped_error.push_back(out.back() - s);
        plain_error.push_back(round_to_step(s) - s);
        if (!std::isnan(s)) {
            ASSERT_LE(std::fabs(shaped_error.back()), 8.0f);
        }
    }
    const std::vector<float> speech_shaped(shaped_error.begin() + 1000, shaped_error.begin() + 15000);
    const std::vector<float> speech_plain(plain_error.begin() + 1000, plain_error.begin() + 15000);
    EXPECT_LT(high_band_power(speech_shaped), 0.8 * high_band_power(speech_plain));
    for (size_t i = 15100; i < out.size(); ++i) ASSERT_EQ(out[i], 0.0f) << "at " << i;
}

}  // namespace
}  // namespace velnor
