// Word-boundary events with the reference synthesis library: each word is
// reported near where it is heard, at any rate and around numbers. Where a
// word is heard is the length of the audio of the text before it, spoken alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"

namespace vl {
namespace {

class WordOffsets : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override {
        test::use_russian_defaults(state);
        velnor_engine().set_audio_callback(audio_chunk_callback);
    }
    test::RecordingSink say(std::u16string_view text) {
        test::RecordingSink sink;
        sink.actions = kActionRate;
        sink.rate = GetParam();
        const TextFragment fragment = test::plain_text(text);
        speak({&fragment, 1}, sink, velnor_engine(), state, VoiceChoice{});
        return sink;
    }
    EngineState state;
};

TEST_P(WordOffsets, EachWordIsReportedWithinAFifthOfWhereItIsHeard) {
    for (const std::u16string text : {u"Ещё ты дремлешь, друг прелестный? Пора, красавица, проснись.",
                                      u"В 2026 году было 3.14 и 12 500 рублей."}) {
        const test::RecordingSink whole = say(text);
        int words = 0;
        for (const test::RecordedEvent& event : whole.events) {
            if (event.id != kEventWordBoundary || event.lparam == 0) continue;
            ++words;
            const auto heard = static_cast<double>(say(text.substr(0, static_cast<size_t>(event.lparam))).bytes_written());
            const auto reported = static_cast<double>(event.audio_offset);
            EXPECT_NEAR(reported, heard, heard * 0.2)
                << "rate " << GetParam() << ", the word at " << event.lparam << " of a text of " << text.size();
        }
        EXPECT_GE(words, 7);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, WordOffsets, ::testing::Values(-10, 0, 10));

}  // namespace
}  // namespace vl
