// Word-boundary events of a library that does not say where its words start:
// each estimated word is near where it is heard, at any rate and around
// numbers. Where a word is heard is where the velnor library says it starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/tests/fakes.h"
#include "engine/tests/forwarding_engine.h"
#include "engine/voice_choice.h"

namespace vl {
namespace {

// The velnor library as one that does not report its words.
class EstimatedWords : public test::ForwardingEngine {
public:
    EstimatedWords() : ForwardingEngine(velnor_engine()) {}
    bool report_words(bool) override { return false; }
};

// Near the start of a sentence a fifth is too fine: the voice's own lead-in
// and a preposition spoken with its word move the first words by a few
// tenths of a second, which an estimate cannot know. 0.4 s of 16-bit audio at
// the default 10,000 Hz.
constexpr double kNearStart = 8000;

class WordOffsets : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override {
        test::use_russian_defaults(state);
        velnor_engine().set_audio_callback(audio_chunk_callback);
    }
    std::vector<test::RecordedEvent> words(std::u16string_view text, SynthEngine& engine) {
        test::RecordingSink sink;
        sink.actions = kActionRate;
        sink.rate = GetParam();
        const TextFragment fragment = test::plain_text(text);
        speak({&fragment, 1}, sink, engine, state, VoiceChoice{});
        std::vector<test::RecordedEvent> found;
        for (const test::RecordedEvent& event : sink.events)
            if (event.id == kEventWordBoundary) found.push_back(event);
        return found;
    }
    EngineState state;
};

TEST_P(WordOffsets, EachWordIsReportedWithinAFifthOfWhereItIsHeard) {
    for (const std::u16string text : {u"Ещё ты дремлешь, друг прелестный? Пора, красавица, проснись.",
                                      u"В 2026 году было 3.14 и 12 500 рублей."}) {
        EstimatedWords estimating;
        const std::vector<test::RecordedEvent> estimated = words(text, estimating);
        const std::vector<test::RecordedEvent> heard = words(text, velnor_engine());
        ASSERT_EQ(estimated.size(), heard.size());
        for (size_t i = 1; i < heard.size(); ++i) {
            const double truth = static_cast<double>(heard[i].audio_offset);
            EXPECT_NEAR(static_cast<double>(estimated[i].audio_offset), truth, std::max(truth * 0.2, kNearStart))
                << "rate " << GetParam() << ", the word at " << heard[i].lparam << " of a text of " << text.size();
        }
        const size_t words = heard.size();
        EXPECT_GE(words, 7u);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, WordOffsets, ::testing::Values(-10, 0, 10));

}  // namespace
}  // namespace vl
