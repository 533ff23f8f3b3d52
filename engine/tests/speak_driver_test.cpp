#include "engine/speak_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "base/file_io.h"
#include "base/utf.h"
#include "engine/engine_state.h"
#include "engine/fragments.h"
#include "engine/library_settings.h"
#include "engine/tests/fakes.h"

namespace vl {
namespace {

using testing::RecordingEngine;
using testing::RecordingSink;

class SpeakDriver : public ::testing::Test {
protected:
    void SetUp() override {
        state.language.publish(std::u16string(u"419"));
        state.settings.pause = -1;
        state.settings.intonation = 50;
        engine.set_audio_callback(audio_chunk_callback);
        engine.calls.clear();
    }
    void say(std::vector<TextFragment> fragments) { speak(fragments, sink, engine, state, voice); }
    static TextFragment text(std::u16string_view t) { return TextFragment{FragmentAction::speak, 0, 100, 0, t}; }
    static TextFragment bookmark(std::u16string_view t) { return TextFragment{FragmentAction::bookmark, 0, 100, 0, t}; }

    std::vector<uint8_t> written(WriteKind kind) const {
        std::vector<uint8_t> all;
        for (const auto& [k, bytes] : sink.writes) {
            if (k == kind) all.insert(all.end(), bytes.begin(), bytes.end());
        }
        return all;
    }

    EngineState state;
    RecordingEngine engine;
    RecordingSink sink;
    LibrarySettings voice;
};

TEST_F(SpeakDriver, GathersFragmentTextWithSeparatorsAndTrims) {
    TextFragment spell{FragmentAction::spell_out, 0, 100, 0, u"ab"};
    TextFragment silence{FragmentAction::silence, 0, 100, 0, u"ignored"};
    say({text(u"hello"), silence, text(u""), text(u"world"), spell});  // lower case: no word split
    EXPECT_EQ(engine.spoken, "hello world  ab");
}

TEST_F(SpeakDriver, CallsOrdinalsInRequestOrder) {
    sink.actions = kActionRate | kActionVolume;
    state.settings.pause = 40;
    say({text(u"a"), text(u"b")});
    // Everything the library holds is set once, after the fragments were read.
    const std::vector<std::string> expected = {"12(0)", "11(7)", "13(90)", "7(100)", "9(90)", "8(130)",
                                               "1(0)",  "2",     "10(40)", "6"};
    EXPECT_EQ(engine.calls, expected);
}

TEST_F(SpeakDriver, NoPauseCallForTheDefaultPause) {
    say({text(u"ab")});
    EXPECT_EQ(std::count(engine.calls.begin(), engine.calls.end(), "10(-1)"), 0);
    EXPECT_EQ(engine.calls.back(), "6");
}

TEST_F(SpeakDriver, BookmarkOnlyRequestSendsEventAndSynthesisesNothing) {
    say({bookmark(u"12")});
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].id, kEventBookmark);
    EXPECT_EQ(sink.events[0].param_type, kParamString);
    EXPECT_EQ(sink.events[0].wparam, 12u);
    EXPECT_EQ(sink.events[0].text, u"12");
    EXPECT_TRUE(engine.spoken.empty());
    EXPECT_TRUE(sink.writes.empty());
}

TEST_F(SpeakDriver, BookmarksPrecedeWordBoundaryAndAudio) {
    say({text(u"раз"), bookmark(u"7"), text(u"два")});
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].id, kEventBookmark);
    EXPECT_EQ(sink.events[1].id, kEventWordBoundary);
    EXPECT_EQ(sink.events[1].param_type, kParamUndefined);
    EXPECT_EQ(sink.events[1].wparam, 7u);  // "раз два"
    EXPECT_EQ(sink.events[1].lparam, 1);
}

TEST(BookmarkValue, ReadsDecimalHexadecimalAndBinary) {
    EXPECT_EQ(bookmark_value(u"12"), 12u);
    EXPECT_EQ(bookmark_value(u"abc"), 0u);
    EXPECT_EQ(bookmark_value(u" \t42x"), 42u);
    EXPECT_EQ(bookmark_value(u"$1F"), 31u);
    EXPECT_EQ(bookmark_value(u"%101"), 5u);
    EXPECT_EQ(bookmark_value(u"-3"), 0xFFFFFFFDu);
    EXPECT_EQ(bookmark_value(u""), 0u);
}

TEST_F(SpeakDriver, BlankTextDoesNothing) {
    say({text(u"   "), text(u" ")});
    EXPECT_TRUE(sink.events.empty());
    EXPECT_TRUE(sink.writes.empty());
    EXPECT_EQ(std::count(engine.calls.begin(), engine.calls.end(), "6"), 0);
    EXPECT_EQ(std::count(engine.calls.begin(), engine.calls.end(), "2"), 0);
}

TEST_F(SpeakDriver, ConvertsSamplesToSigned16Bit) {
    say({text(u"ab")});
    const std::vector<uint8_t> audio = written(WriteKind::audio);
    const std::vector<uint8_t> expected = {0x00, 0x00, 0x00, 0x7F, 0x00, 0x80};  // 0, 32512, -32768
    EXPECT_EQ(audio, expected);
}

TEST_F(SpeakDriver, WritesLargeBlocksInPiecesOf2048Samples) {
    engine.blocks = {std::vector<uint8_t>(5000, 128)};
    say({text(u"ab")});
    ASSERT_EQ(sink.writes.size(), 3u);
    EXPECT_EQ(sink.writes[0].second.size(), 4096u);
    EXPECT_EQ(sink.writes[2].second.size(), 2u * (5000 - 4096));
}

TEST_F(SpeakDriver, SilenceBeforeAndAfterScalesWithSampleRate) {
    state.settings.silence_at_begin = 100;
    state.settings.silence_at_end = 100;
    say({text(u"ab")});
    ASSERT_GE(sink.writes.size(), 3u);
    EXPECT_EQ(sink.writes.front().first, WriteKind::silence);
    EXPECT_EQ(written(WriteKind::silence).size(), 4000u);
    EXPECT_EQ(sink.writes.back().first, WriteKind::silence);

    sink.writes.clear();
    state.settings.sample_rate = 11025;
    state.settings.silence_at_end = 0;
    say({text(u"ab")});
    EXPECT_EQ(written(WriteKind::silence).size(), 2200u);
    EXPECT_EQ(sink.writes.front().first, WriteKind::silence);
}

TEST_F(SpeakDriver, AbortStopsEngineAndSkipsTrailingSilence) {
    state.settings.silence_at_end = 100;
    engine.blocks = {{1, 2}, {3, 4}, {5, 6}};
    sink.abort_after_writes = 1;
    say({text(u"ab")});
    EXPECT_TRUE(engine.stopped);
    EXPECT_EQ(sink.audio_writes(), 1);
    EXPECT_TRUE(written(WriteKind::silence).empty());
}

TEST_F(SpeakDriver, StoppedOutputStopsEngineAtOnce) {
    state.settings.silence_at_end = 100;
    engine.blocks = {{1, 2}, {3, 4}, {5, 6}};
    sink.fail_after_writes = 1;
    say({text(u"ab")});
    EXPECT_TRUE(engine.stopped);
    EXPECT_EQ(sink.audio_writes(), 2);
    EXPECT_TRUE(written(WriteKind::silence).empty());
}

TEST_F(SpeakDriver, MainDictionaryOnlyForRussianWithUseDictionaryOneOrTwo) {
    const auto switch_for = [&](int32_t use_dictionary, std::u16string language) {
        state.settings.use_dictionary = use_dictionary;
        state.language.publish(std::move(language));
        engine.calls.clear();
        say({text(u"ab")});
        return *std::find_if(engine.calls.begin(), engine.calls.end(),
                             [](const std::string& c) { return c.rfind("1(", 0) == 0; });
    };
    EXPECT_EQ(switch_for(1, u"419"), "1(1)");
    EXPECT_EQ(switch_for(2, u"419"), "1(1)");
    EXPECT_EQ(switch_for(3, u"419"), "1(0)");
    EXPECT_EQ(switch_for(0, u"419"), "1(0)");
    EXPECT_EQ(switch_for(2, u"422"), "1(0)");
}

TEST_F(SpeakDriver, LogsPreparedTextOneLinePerRequest) {
    const auto file = std::filesystem::temp_directory_path() / "vl_speak_driver_log.txt";
    ASSERT_TRUE(state.log.open(file));
    say({text(u"(тест)")});
    say({text(u"два")});
    say({text(u"\r")});  // a lone line end stays inside its line
    state.log.close();
    EXPECT_EQ(read_file(file), std::string(" тест \r\nдва\r\n \r\n"));
    std::filesystem::remove(file);
}

// Two speech programs with one log: each opens it (each open in its own
// process; two opens of one process behave the same), neither empties it
// while the other holds it, and every line lands whole.
TEST(SpeakLog, ProcessesShareTheLogLineByLine) {
    const auto file = std::filesystem::temp_directory_path() / "vl_speak_log_shared.txt";
    ASSERT_TRUE(write_file_atomic(file, "left over\r\n"));
    SpeakLog first;
    SpeakLog second;
    ASSERT_TRUE(first.open(file));  // alone: emptied
    first.append_line(u"один\nдва");
    ASSERT_TRUE(second.open(file));  // the first holds it: kept
    second.append_line(u"три");
    ASSERT_TRUE(first.open(file));  // a later set-up of the first keeps its log
    first.append_line(u"четыре");
    EXPECT_EQ(read_file(file), std::string("один два\r\nтри\r\nчетыре\r\n"));

    std::vector<std::thread> writers;
    for (SpeakLog* log : {&first, &second}) {
        writers.emplace_back([log] {
            for (int i = 0; i < 200; ++i) log->append_line(std::u16string(300, u'ж'));
        });
    }
    for (std::thread& writer : writers) writer.join();
    const std::string all = *read_file(file);
    const std::string line = utf16_to_utf8(std::u16string(300, u'ж')) + "\r\n";
    size_t whole = 0;
    for (size_t at = all.find(line); at != std::string::npos; at = all.find(line, at + line.size())) ++whole;
    EXPECT_EQ(whole, 400u);

    first.close();
    second.close();
    ASSERT_TRUE(first.open(file));  // alone again: a new log
    first.close();
    EXPECT_EQ(read_file(file), std::string());
    std::filesystem::remove(file);
}

TEST_F(SpeakDriver, OutputFormatFollowsSampleRate) {
    PcmFormat format = output_format(state);
    EXPECT_EQ(format.samples_per_second, 10000u);
    EXPECT_EQ(format.average_bytes_per_second, 20000u);
    state.settings.sample_rate = 11025;
    format = output_format(state);
    EXPECT_EQ(format.samples_per_second, 11025u);
    EXPECT_EQ(format.average_bytes_per_second, 22050u);
    EXPECT_EQ(format.block_align, 2);
    EXPECT_EQ(format.bits_per_sample, 16);
    EXPECT_EQ(format.channels, 1);
}

}  // namespace
}  // namespace vl
