#include "engine/prosody.h"

#include <gtest/gtest.h>

#include "engine/engine_state.h"
#include "engine/library_settings.h"
#include "engine/tests/fakes.h"

namespace vl {
namespace {

using testing::RecordingSink;

class Prosody : public ::testing::Test {
protected:
    void SetUp() override { state.settings.intonation = 50; }
    // What the library would be given, as ordinal calls.
    std::vector<std::string> apply(TextFragment fragment) {
        apply_fragment_prosody(fragment, sink, library, state);
        testing::RecordingEngine engine;
        apply_library_settings(engine, library, nullptr);
        return engine.calls;
    }
    EngineState state;
    LibrarySettings library;
    RecordingSink sink;
};

TEST_F(Prosody, SiteRateAndMarkupOverride) {
    sink.actions = kActionRate;
    sink.rate = 10;
    auto calls = apply(TextFragment{});
    EXPECT_EQ(calls[1], "11(2)");
    EXPECT_EQ(calls[2], "13(90)");

    calls = apply(TextFragment{FragmentAction::speak, -3, 100, 0, u"x"});
    EXPECT_EQ(calls[1], "11(0)");
    EXPECT_EQ(calls[2], "13(80)");
    EXPECT_EQ(state.last_rate_override, -3);

    // Once markup has set a rate, a fragment without one speaks at rate 0.
    sink.rate = 5;
    calls = apply(TextFragment{});
    EXPECT_EQ(calls[1], "11(7)");
    EXPECT_EQ(calls[2], "13(90)");

    // Without a rate change reported the voice keeps the rate it had.
    sink.actions = 0;
    sink.rate = -10;
    EXPECT_EQ(apply(TextFragment{})[1], "11(7)");
}

TEST_F(Prosody, RatesBeyondTheTableAreClamped) {
    EXPECT_EQ(&rate_entry(-50), &RateTable.front());
    EXPECT_EQ(&rate_entry(11), &RateTable.back());
}

TEST_F(Prosody, VolumeFromSiteUnlessMarkupIsLower) {
    sink.actions = kActionVolume;
    sink.volume = 80;
    EXPECT_EQ(apply(TextFragment{})[3], "7(80)");
    EXPECT_EQ(apply(TextFragment{FragmentAction::speak, 0, 30, 0, u"x"})[3], "7(30)");
    sink.actions = 0;
    sink.volume = 10;
    EXPECT_EQ(apply(TextFragment{})[3], "7(30)");  // no volume change asked for: the voice keeps its own
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
