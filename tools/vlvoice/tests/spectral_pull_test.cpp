// Units of one phone in one context whose spectra differ come out nearer to
// each other, each about as loud as it was, and what lies outside units
// unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/vlvoice/spectral_pull.h"
#include "velnor/phonetics/phone_set.h"

namespace {

constexpr uint32_t kUnit = 2000, kGap = 1000;

double energy(const std::vector<float>& x, uint32_t from, uint32_t to) {
    double sum = 0;
    for (uint32_t i = from; i < to; ++i) sum += static_cast<double>(x[i]) * x[i];
    return sum;
}

// How much of a stretch's energy lies high in the band, in dB: the energy of
// its differences against its own.
double brightness_db(const std::vector<float>& x, uint32_t from, uint32_t to) {
    double diff = 0;
    for (uint32_t i = from + 1; i < to; ++i) diff += std::pow(static_cast<double>(x[i]) - x[i - 1], 2);
    return 10 * std::log10(diff / energy(x, from, to));
}

TEST(SpectralPull, BringsOneContextsUnitsTogetherAndKeepsTheRest) {
    // Four units of "aa" between "t" and "k", two of them white noise and two
    // dull noise 12 dB quieter; noise between them, outside any unit.
    std::vector<float> audio;
    std::vector<velnor::Unit> units;
    uint32_t seed = 1;
    auto noise = [&] { return static_cast<float>((seed = seed * 1664525u + 1013904223u) >> 16) - 32768.0f; };
    for (int u = 0; u < 4; ++u) {
        for (uint32_t i = 0; i < kGap; ++i) audio.push_back(noise() / 8);
        velnor::Unit unit{};
        unit.start = static_cast<uint32_t>(audio.size());
        unit.end = unit.start + kUnit;
        unit.phone = *velnor::phone_by_name("aa");
        unit.left = *velnor::phone_by_name("t");
        unit.right = *velnor::phone_by_name("k");
        units.push_back(unit);
        float dull = 0;
        for (uint32_t i = 0; i < kUnit; ++i) audio.push_back(u % 2 ? (dull = 0.9f * dull + noise() / 40) : noise() / 4);
    }
    for (uint32_t i = 0; i < kGap; ++i) audio.push_back(noise() / 8);

    const std::vector<float> pulled = vl::voice_tool::pull_toward_context(audio, units, 0.5);
    // Measured inside the units, clear of the frames that reach over their edges.
    auto inner = [](const velnor::Unit& u, auto measure, const std::vector<float>& x) {
        return measure(x, u.start + 256, u.end - 256);
    };
    const double before = inner(units[0], brightness_db, audio) - inner(units[1], brightness_db, audio);
    const double after = inner(units[0], brightness_db, pulled) - inner(units[1], brightness_db, pulled);
    EXPECT_GT(before, 10);
    EXPECT_GT(after, 0.25 * before);
    EXPECT_LT(after, 0.75 * before);
    for (const velnor::Unit& u : units)
        EXPECT_NEAR(10 * std::log10(inner(u, energy, pulled) / inner(u, energy, audio)), 0, 4);
    // Between units, beyond a frame's reach, the samples come back as they were.
    for (uint32_t i = 0; i < kGap - 256; ++i) EXPECT_NEAR(pulled[i], audio[i], 0.05f) << i;

    EXPECT_EQ(vl::voice_tool::pull_toward_context(audio, units, 0), audio);
}

}  // namespace
