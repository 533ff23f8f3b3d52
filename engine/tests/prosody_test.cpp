#include "engine/prosody.h"

#include <gtest/gtest.h>

#include "engine/engine_state.h"
#include "engine/tests/fakes.h"

namespace vl {
namespace {

using testing::RecordingEngine;
using testing::RecordingSink;

class Prosody : public ::testing::Test {
protected:
    void SetUp() override { state.settings.intonation = 50; }
    std::vector<std::string> apply(TextFragment fragment) {
        engine.calls.clear();
        apply_fragment_prosody(fragment, sink, engine, state);
        return engine.calls;
    }
    EngineState state;
    RecordingEngine engine;
    RecordingSink sink;
};

TEST_F(Prosody, SiteRateAndMarkupOverride) {
    sink.actions = kActionRate;
    sink.rate = 10;
    auto calls = apply(TextFragment{});
    EXPECT_EQ(calls[0], "11(2)");
    EXPECT_EQ(calls[1], "13(90)");

    calls = apply(TextFragment{FragmentAction::speak, -3, 100, 0, u"x"});
    EXPECT_EQ(calls[0], "11(0)");
    EXPECT_EQ(calls[1], "13(80)");
    EXPECT_EQ(state.last_rate_override, -3);

    // Once markup has set a rate, a fragment without one speaks at rate 0.
    sink.rate = 5;
    calls = apply(TextFragment{});
    EXPECT_EQ(calls[0], "11(7)");
    EXPECT_EQ(calls[1], "13(90)");
}

TEST_F(Prosody, RatesBeyondTheTableAreClamped) {
    EXPECT_EQ(&rate_entry(-50), &RateTable.front());
    EXPECT_EQ(&rate_entry(11), &RateTable.back());
}

TEST_F(Prosody, VolumeFromSiteUnlessMarkupIsLower) {
    sink.actions = kActionVolume;
    sink.volume = 80;
    EXPECT_EQ(apply(TextFragment{})[0], "7(80)");
    EXPECT_EQ(apply(TextFragment{FragmentAction::speak, 0, 30, 0, u"x"})[0], "7(30)");
    sink.actions = 0;
    EXPECT_EQ(apply(TextFragment{})[0], "14");  // no rate or volume asked for
}

TEST_F(Prosody, PitchRangeFollowsIntonationAndMarkup) {
    const auto range = [&](int32_t voice, int32_t pitch, int32_t intonation) {
        engine.voice = voice;
        engine.calls.clear();
        apply_pitch_range(pitch, intonation, engine);
        return engine.calls[1] + engine.calls[2];
    };
    EXPECT_EQ(range(0, 50, 50), "9(90)8(130)");
    EXPECT_EQ(range(0, 50, 100), "9(70)8(150)");
    EXPECT_EQ(range(0, 50, 0), "9(110)8(110)");
    EXPECT_EQ(range(1, 70, 50), "9(205)8(345)");   // MiddleAdj +10
    EXPECT_EQ(range(3, 30, 50), "9(205)8(325)");   // MiddleAdj -10
    EXPECT_EQ(range(7, 50, 50), "9(90)8(130)");    // unknown voice: Male1's range
}

}  // namespace
}  // namespace vl
