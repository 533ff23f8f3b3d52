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
#include "engine/voice_choice.h"

namespace vl {
namespace {

// The velnor library as one that does not report its words.
class EstimatedWords : public SynthEngine {
public:
    int32_t ready() override { return library_.ready(); }
    void set_audio_callback(synth_audio_callback callback) override { library_.set_audio_callback(callback); }
    void select_voice(int32_t voice) override { library_.select_voice(voice); }
    int32_t current_voice() override { return library_.current_voice(); }
    void use_main_dictionary(int32_t on) override { library_.use_main_dictionary(on); }
    void set_callback_context(void* context) override { library_.set_callback_context(context); }
    void set_volume(int32_t volume) override { library_.set_volume(volume); }
    void set_pause(int32_t pause) override { library_.set_pause(pause); }
    void set_speed_step(int32_t step) override { library_.set_speed_step(step); }
    void set_tempo(int32_t tempo) override { library_.set_tempo(tempo); }
    void set_pitch_low(int32_t pitch) override { library_.set_pitch_low(pitch); }
    void set_pitch_high(int32_t pitch) override { library_.set_pitch_high(pitch); }
    void speak(const char* text) override { library_.speak(text); }
    void stop() override { library_.stop(); }

private:
    SynthEngine& library_ = velnor_engine();
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
