#include "engine/prosody.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/tests/fakes.h"

namespace vl {
namespace {

using test::RecordingEngine;

class Prosody : public ::testing::Test {
protected:
    RecordingEngine engine;
};

TextFragment markup(int32_t rate, uint32_t volume, int32_t pitch) {
    return TextFragment{FragmentAction::speak, rate, volume, pitch, u"x"};
}

TEST_F(Prosody, SiteAndMarkupCombineWithinTheirRanges) {
    const auto prosody = [](int32_t site_rate, uint16_t site_volume, TextFragment fragment) {
        const SegmentProsody p = segment_prosody(SiteProsody{site_rate, site_volume}, fragment);
        return std::to_string(p.rate) + "/" + std::to_string(p.volume) + "/" + std::to_string(p.pitch);
    };
    EXPECT_EQ(prosody(0, 100, TextFragment{}), "0/100/50");
    EXPECT_EQ(prosody(10, 80, TextFragment{}), "10/80/50");
    EXPECT_EQ(prosody(5, 80, markup(-3, 50, 0)), "2/40/50");  // rate adds, volume scales
    EXPECT_EQ(prosody(8, 100, markup(5, 100, 10)), "10/100/70");
    EXPECT_EQ(prosody(-8, 100, markup(-5, 100, -10)), "-10/100/30");
    // Values beyond their ranges, from a hostile client, are clamped before any arithmetic.
    const int32_t huge = std::numeric_limits<int32_t>::max();
    const int32_t tiny = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(prosody(huge, 65535, markup(huge, 4'000'000'000u, huge)), "10/100/70");
    EXPECT_EQ(prosody(tiny, 0, markup(tiny, 0, tiny)), "-10/0/30");
    EXPECT_EQ(prosody(0, 100, markup(0, 100, huge - 24)), "0/100/70");
}

TEST_F(Prosody, LibraryStateIsSetWholeInOrder) {
    LibraryState state;
    state.prosody = SegmentProsody{-3, 40, 50};
    state.main_dictionary = 1;
    state.pause = 30;
    state.voice = 2;  // selected first, so the pitch range is Male2's
    set_library_state(engine, state);
    const std::vector<std::string> expected = {"12(2)", "11(0)", "13(80)", "7(40)", "14",
                                               "9(60)", "8(120)", "1(1)", "2", "10(30)"};
    EXPECT_EQ(engine.calls, expected);
    engine.calls.clear();
    state.pause = -1;  // the library keeps its own pause
    set_library_state(engine, state);
    EXPECT_EQ(engine.calls.size(), expected.size() - 1);
    EXPECT_EQ(&rate_entry(-50), &RateTable.front());
    EXPECT_EQ(&rate_entry(11), &RateTable.back());
}

TEST_F(Prosody, PitchRangeFollowsIntonationAndMarkup) {
    const auto range = [&](int32_t voice, int32_t pitch, int32_t intonation) {
        const PitchRange found = pitch_range(pitch, intonation, voice);
        return std::to_string(found.low) + "-" + std::to_string(found.high);
    };
    EXPECT_EQ(range(0, 50, 50), "90-130");
    EXPECT_EQ(range(0, 50, 100), "70-150");
    EXPECT_EQ(range(0, 50, 0), "110-110");
    EXPECT_EQ(range(1, 70, 50), "205-345");   // MiddleAdj +10
    EXPECT_EQ(range(3, 30, 50), "205-325");   // MiddleAdj -10
    EXPECT_EQ(range(7, 50, 50), "90-130");    // unknown voice: Male1's range
}

}  // namespace
}  // namespace vl
