// The speak driver with the velnor library: a plain sentence sounds exactly as
// one synthesis call of its prepared text, a bookmark between two sentences
// falls where the first one's audio ends, and each word is heard where the
// library says its audio starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_charset.h"
#include "engine/engine_state.h"
#include "engine/prosody.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"

namespace vl {
namespace {

using test::RecordingSink;

int32_t VELNOR_CALL collect(void* context, const uint8_t* samples, int32_t count) {
    auto& pcm = *static_cast<std::vector<uint8_t>*>(context);
    for (int32_t i = 0; i < count; ++i) {
        const auto sample = static_cast<int16_t>((samples[i] - 128) * 256);
        pcm.push_back(static_cast<uint8_t>(sample & 0xFF));
        pcm.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
    }
    return 0;
}

// The audio byte (16-bit) at which the library reports each word.
int32_t VELNOR_CALL note_word_starts(void* context, const uint8_t* samples, int32_t count) {
    auto& starts = *static_cast<std::pair<uint64_t, std::vector<uint64_t>>*>(context);
    if (samples == nullptr) starts.second.push_back(starts.first);
    else starts.first += 2 * static_cast<uint64_t>(count);
    return 0;
}

class SpeakVelnor : public ::testing::Test {
protected:
    void SetUp() override {
        test::use_russian_defaults(state);
        engine.select_voice(0);
        engine.set_audio_callback(audio_chunk_callback);
    }
    std::vector<uint8_t> say(std::vector<TextFragment> fragments) {
        sink = RecordingSink{};
        speak(fragments, sink, engine, state, VoiceChoice{});
        std::vector<uint8_t> all;
        for (const auto& write : sink.writes) all.insert(all.end(), write.second.begin(), write.second.end());
        return all;
    }
    static TextFragment text(std::u16string_view t) { return test::plain_text(t); }

    EngineState state;
    SynthEngine& engine = velnor_engine();
    RecordingSink sink;
};

TEST_F(SpeakVelnor, OneSentenceSoundsAsOneCallOfItsPreparedText) {
    const std::u16string sentence = u"Съешь же ещё 25 этих мягких французских булок, да выпей чаю.";
    const std::vector<uint8_t> driven = say({text(sentence)});

    // The request as one synthesis call, with the library as the driver leaves it.
    std::vector<uint8_t> direct;
    engine.set_audio_callback(collect);
    const PitchRange range = pitch_range(50, 50, 0);
    engine.set_pitch_low(range.low);
    engine.set_pitch_high(range.high);
    engine.use_main_dictionary(0);
    engine.set_callback_context(&direct);
    engine.speak(to_engine_charset(prepare_request_text(sentence, state, VoiceChoice{})).c_str());
    engine.set_audio_callback(audio_chunk_callback);
    ASSERT_GT(direct.size(), 10000u);
    EXPECT_TRUE(driven == direct);
}

TEST_F(SpeakVelnor, BookmarkBetweenSentencesFallsAtTheFirstOnesEnd) {
    const size_t first = say({text(u"Первое предложение.")}).size();
    say({text(u"Первое предложение."), TextFragment{FragmentAction::bookmark, 0, 100, 0, u"1"},
         text(u"Второе предложение.")});
    ASSERT_FALSE(sink.events.empty());
    const auto bookmark = std::find_if(sink.events.begin(), sink.events.end(),
                                       [](const auto& e) { return e.id == kEventBookmark; });
    ASSERT_NE(bookmark, sink.events.end());
    EXPECT_EQ(bookmark->audio_offset, first);
    EXPECT_EQ(bookmark->bytes_before, first);
    EXPECT_GT(sink.bytes_written(), 2 * first - 2000);
}

TEST_F(SpeakVelnor, WordsAreHeardWhereTheLibraryStartsThem) {
    const std::u16string sentence = u"Мама мыла раму, а папа читал книгу.";
    say({text(sentence)});
    std::vector<uint64_t> heard;
    for (const auto& e : sink.events)
        if (e.id == kEventWordBoundary) heard.push_back(e.audio_offset);

    std::pair<uint64_t, std::vector<uint64_t>> reported;
    engine.set_audio_callback(note_word_starts);
    engine.set_callback_context(&reported);
    ASSERT_TRUE(engine.report_words(true));
    engine.speak(to_engine_charset(prepare_request_text(sentence, state, VoiceChoice{})).c_str());
    engine.report_words(false);
    engine.set_audio_callback(audio_chunk_callback);

    ASSERT_EQ(heard.size(), 7u);
    ASSERT_EQ(reported.second.size(), 7u);
    for (size_t i = 0; i < heard.size(); ++i)
        EXPECT_EQ(heard[i] - heard[0], reported.second[i] - reported.second[0]) << "word " << i;
}

}  // namespace
}  // namespace vl
