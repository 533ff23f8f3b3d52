// Rendering of units that need no change of length or pitch: the recording
// comes out as it went in, wherever in the voice its audio lies, and the
// phrase fades in and out rather than starting or stopping mid-wave, but
// not where it was cut into pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "velnor/phonetics/phone_set.h"
#include "velnor/synthesis/psola.h"
#include "velnor/voice/mu_law.h"

namespace {

int32_t VELNOR_CALL collect(void* context, const uint8_t* samples, int32_t count) {
    if (samples != nullptr) static_cast<std::vector<uint8_t>*>(context)->insert(
        static_cast<std::vector<uint8_t>*>(context)->end(), samples, samples + count);
    return 0;
}

TEST(Rendering, UnchangedUnitsAreCopiedSampleForSampleEvenFarIntoTheVoiceAcrossPiecesAndFadedAtTheEdges) {
    // Two vowels of one recording, 125 Hz, placed beyond 2^24 samples.
    constexpr uint32_t kPeriod = 80, kStart = (1u << 24) + 1001, kLength = 2000;
    std::vector<uint8_t> samples(kStart + kLength + 400, velnor::mu_law_encode(0));
    for (uint32_t i = 0; i < kLength + 400; ++i) {
        const double phase = 2 * 3.14159265 * i / kPeriod + 1.2;
        samples[kStart + i] = velnor::mu_law_encode(static_cast<int16_t>(9000 * std::sin(phase) + 4000 * std::sin(3 * phase + 1)));
    }
    std::vector<uint32_t> marks;
    for (uint32_t m = kStart; m < kStart + kLength + 400; m += kPeriod) marks.push_back(m);
    const velnor::PhoneId a = *velnor::phone_by_name("a");
    std::vector<velnor::Unit> units(2, velnor::Unit{});
    for (velnor::Unit& u : units) u.phone = u.left = u.right = a;
    units[0].start = kStart, units[0].end = units[1].start = kStart + 1200, units[1].end = kStart + kLength;
    units[0].mark_count = 15, units[1].first_mark = 15, units[1].mark_count = 10;
    units[0].flags = velnor::kContinues;
    velnor::VoiceData voice;
    voice.samples = samples;
    voice.marks = marks;
    voice.units = units;

    std::vector<uint8_t> out;
    std::atomic<bool> stop{false};
    std::atomic<uint32_t> epoch{0};
    velnor::BlockOutput output(collect, &out, 1.0f, {&stop, &epoch, 0});
    const velnor::Segment plan[] = {{0, 1200, 1, 1, 1, 1}, {1, kLength - 1200, 1, 1, 1, 1}};
    ASSERT_TRUE(velnor::PhraseRenderer(voice, velnor::PitchMap{}, 1.0f, output).add(plan, {}, true));
    output.finish();
    ASSERT_EQ(out.size(), kLength);
    EXPECT_NEAR(out.front(), 128, 2);
    EXPECT_NEAR(out.back(), 128, 2);
    // After the fade in; the last period has no grain after it to complete its window.
    for (uint32_t i = 50; i + kPeriod < kLength; ++i) {
        const float recorded = velnor::mu_law_table()[samples[kStart + i]];
        ASSERT_NEAR(out[i], recorded * 127.0f + 128.5f, 1.01f) << "sample " << i;
    }

    // Given in two pieces, the phrase runs on across the cut as if given whole.
    std::vector<uint8_t> pieces;
    velnor::BlockOutput piece_output(collect, &pieces, 1.0f, {&stop, &epoch, 0});
    velnor::PhraseRenderer renderer(voice, velnor::PitchMap{}, 1.0f, piece_output);
    ASSERT_TRUE(renderer.add(std::span(plan, 1), {}, false));
    ASSERT_TRUE(renderer.add(std::span(plan + 1, 1), {}, true));
    piece_output.finish();
    EXPECT_EQ(pieces, out);
}

}  // namespace
