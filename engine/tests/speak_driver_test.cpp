#include "engine/speak_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <limits>
#include <thread>
#include <vector>

#include "base/utf.h"
#include "engine/engine_charset.h"
#include "engine/engine_state.h"
#include "engine/fragments.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"
#include "store/file_io.h"

namespace vl {
namespace {

using test::RecordingEngine;
using test::RecordedEvent;
using test::RecordingSink;

class SpeakDriver : public ::testing::Test {
protected:
    void SetUp() override {
        test::use_russian_defaults(state);
        engine.set_audio_callback(audio_chunk_callback);
        engine.calls.clear();
    }
    void say(std::vector<TextFragment> fragments) { speak(fragments, sink, engine, state, voice); }
    // What the engine reads for a segment of this text.
    std::string read(std::u16string_view segment) const {
        return to_engine_charset(prepare_request_text(segment, state, voice));
    }
    std::vector<std::string> read_all(std::vector<std::u16string_view> segments) const {
        std::vector<std::string> texts;
        for (const auto segment : segments) texts.push_back(read(segment));
        return texts;
    }
    static TextFragment text(std::u16string_view t) { return test::plain_text(t); }
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
    VoiceChoice voice;
};

TEST_F(SpeakDriver, GathersFragmentTextWithSeparatorsAndTrims) {
    TextFragment spell{FragmentAction::spell_out, 0, 100, 0, u"ab"};
    TextFragment section{FragmentAction::section, 0, 100, 0, u"ignored"};
    say({text(u"hello"), section, text(u""), text(u"world "), spell});  // lower case: no word split
    // Spelled text is read a character at a time (these tables name no letters).
    const std::vector<std::string> expected = {"hello world", "a b"};
    EXPECT_EQ(engine.texts, expected);
}

TEST_F(SpeakDriver, CallsOrdinalsInRequestOrder) {
    sink.actions = kActionRate | kActionVolume;
    state.settings.pause = 40;
    say({text(u"a"), text(u"b")});
    const std::vector<std::string> expected = {"12(0)", "11(7)", "13(90)", "7(100)", "14", "9(90)", "8(130)",
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

// A client's text with its markup, and the fragments a speech runtime makes of
// it: each fragment's text is a piece of the client's text, at its own offset.
class ClientText {
public:
    explicit ClientText(std::u16string text) : text_(std::move(text)) {}
    ClientText& add(FragmentAction action, std::u16string_view piece, int32_t rate = 0) {
        const size_t at = text_.find(piece, searched_);
        EXPECT_NE(at, std::u16string::npos) << "no such piece";
        searched_ = at + piece.size();
        fragments.push_back(TextFragment{action, rate, 100, 0, std::u16string_view(text_).substr(at, piece.size()),
                                         static_cast<uint32_t>(at)});
        return *this;
    }
    std::u16string_view slice(int32_t position, uint32_t length) const {
        return std::u16string_view(text_).substr(static_cast<size_t>(position), length);
    }
    std::vector<TextFragment> fragments;

private:
    std::u16string text_;
    size_t searched_ = 0;
};

std::vector<RecordedEvent> events_of(const RecordingSink& sink, EventId id) {
    std::vector<RecordedEvent> found;
    for (const RecordedEvent& e : sink.events) {
        if (e.id == id) found.push_back(e);
    }
    return found;
}

TEST_F(SpeakDriver, EventsComeAtTheirAudioAndPointIntoTheClientsText) {
    engine.samples_per_character = 100;
    ClientText client(u"Раз, два. Три <mark name=\"7\"/>четыре <rate speed=\"-5\">пять</rate>!");
    client.add(FragmentAction::speak, u"Раз, два. Три ")
        .add(FragmentAction::bookmark, u"7")
        .add(FragmentAction::speak, u"четыре ")
        .add(FragmentAction::speak, u"пять", -5)
        .add(FragmentAction::speak, u"!");
    say(client.fragments);

    // Cut at the sentence end, the bookmark and both sides of the rate markup;
    // only the marked fragment is slower (rate -5: tempo 60).
    const std::vector<std::string> texts = read_all({u"Раз, два.", u"Три", u"четыре", u"пять", u"!"});
    ASSERT_EQ(engine.texts, texts);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(engine.samples_made[i], texts[i].size() * (i == 3 ? 150 : 100)) << i;
    }
    const auto segment_end = [&](size_t segment) {
        uint64_t bytes = 0;
        for (size_t i = 0; i < segment; ++i) bytes += engine.samples_made[i] * 2;
        return bytes;
    };

    uint64_t previous = 0;
    for (const RecordedEvent& e : sink.events) {
        EXPECT_GE(e.audio_offset, previous) << "offsets never decrease";
        previous = e.audio_offset;
    }
    const auto bookmarks = events_of(sink, kEventBookmark);
    ASSERT_EQ(bookmarks.size(), 1u);
    EXPECT_EQ(bookmarks[0].wparam, 7u);
    EXPECT_EQ(bookmarks[0].audio_offset, segment_end(2));
    EXPECT_EQ(bookmarks[0].bytes_before, segment_end(2)) << "sent before the audio that follows it";

    const auto sentences = events_of(sink, kEventSentenceBoundary);
    ASSERT_EQ(sentences.size(), 2u);
    EXPECT_EQ(client.slice(sentences[0].lparam, sentences[0].wparam), u"Раз, два.");
    EXPECT_EQ(client.slice(sentences[1].lparam, sentences[1].wparam),
              u"Три <mark name=\"7\"/>четыре <rate speed=\"-5\">пять</rate>!");
    EXPECT_EQ(sentences[0].audio_offset, 0u);
    EXPECT_EQ(sentences[1].audio_offset, segment_end(1));
    for (const RecordedEvent& e : sentences) EXPECT_EQ(e.bytes_before, e.audio_offset);

    const auto words = events_of(sink, kEventWordBoundary);
    const std::vector<std::u16string> expected_words = {u"Раз", u"два", u"Три", u"четыре", u"пять"};
    ASSERT_EQ(words.size(), expected_words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(client.slice(words[i].lparam, words[i].wparam), expected_words[i]);
        const size_t sentence = i < 2 ? 0 : 1;
        EXPECT_GE(words[i].audio_offset, sentences[sentence].audio_offset);
        EXPECT_LT(words[i].audio_offset, sentence == 0 ? sentences[1].audio_offset : segment_end(texts.size()));
    }
    EXPECT_EQ(words[3].audio_offset, segment_end(2)) << "a segment's first word starts with its audio";
}

TEST_F(SpeakDriver, SendsOnlyTheEventsOfInterest) {
    const std::vector<TextFragment> request = {text(u"Раз. Два три."), bookmark(u"1"), text(u"Четыре.")};
    sink.interest = (1ull << kEventBookmark) | (1ull << kEventSentenceBoundary);
    say(request);
    EXPECT_EQ(events_of(sink, kEventBookmark).size(), 1u);
    EXPECT_EQ(events_of(sink, kEventSentenceBoundary).size(), 3u);
    EXPECT_EQ(sink.events.size(), 4u);
    sink.events.clear();
    sink.interest = 0;
    say(request);
    EXPECT_TRUE(sink.events.empty());
    sink.interest = 1ull << kEventWordBoundary;
    say(request);
    EXPECT_EQ(sink.events.size(), 4u);
}

TEST_F(SpeakDriver, SilenceMarkupWritesItsLengthAtItsPlace) {
    TextFragment silence{FragmentAction::silence, 0, 100, 0, u"", 0, 250};
    say({text(u"раз"), silence, text(u"два")});
    ASSERT_EQ(engine.texts.size(), 2u);
    std::vector<WriteKind> kinds;
    uint64_t silent = 0;
    for (const auto& [kind, bytes] : sink.writes) {
        if (kinds.empty() || kinds.back() != kind) kinds.push_back(kind);
        if (kind == WriteKind::silence) silent += bytes.size();
    }
    EXPECT_EQ(silent, 5000u);  // 250 ms at 10000 Hz
    EXPECT_EQ(kinds, (std::vector<WriteKind>{WriteKind::audio, WriteKind::silence, WriteKind::audio}));

    sink.writes.clear();
    state.settings.sample_rate = 11025;
    silence.silence_ms = 100;
    say({silence});
    EXPECT_EQ(written(WriteKind::silence).size(), 2204u);  // 1102 whole samples
}

TEST_F(SpeakDriver, PurgeStopsALongSilence) {
    class AbortingSink : public RecordingSink {
    public:
        bool write(const void* bytes, uint32_t count, WriteKind kind) override {
            if (writes.size() == 2) actions |= kActionAbort;
            return RecordingSink::write(bytes, count, kind);
        }
    } aborting;
    const TextFragment silence{FragmentAction::silence, 0, 100, 0, u"", 0, 4'000'000'000u};
    speak({&silence, 1}, aborting, engine, state, voice);
    EXPECT_EQ(aborting.writes.size(), 3u);  // the piece being written when the purge came
}

TEST_F(SpeakDriver, SkipsSentencesForwardAndBack) {
    engine.samples_per_character = 10;
    const std::vector<TextFragment> request = {text(u"Раз. Два. Три.")};
    sink.skip_after_writes = 1;  // asked while the first sentence is heard: the second one is not said
    say(request);
    EXPECT_EQ(engine.texts, read_all({u"Раз.", u"Три."}));
    EXPECT_EQ(sink.completed_skips, std::vector<int32_t>{1});
    EXPECT_EQ(written(WriteKind::audio).size(), 2 * (engine.samples_made[0] + engine.samples_made[1]));

    engine.texts.clear();
    sink.writes.clear();
    sink.skip_sentences = -1;
    sink.skip_after_writes = 2;  // asked during the second sentence: it is said again
    say(request);
    EXPECT_EQ(engine.texts, read_all({u"Раз.", u"Два.", u"Два.", u"Три."}));
    EXPECT_EQ(sink.completed_skips.back(), -1);

    engine.texts.clear();
    sink.writes.clear();
    sink.skip_sentences = 5;
    sink.skip_after_writes = 1;  // past the end: the request ends, two were skipped
    say(request);
    EXPECT_EQ(engine.texts.size(), 1u);
    EXPECT_EQ(sink.completed_skips.back(), 2);

    engine.texts.clear();
    sink.writes.clear();
    sink.skip_sentences = std::numeric_limits<int32_t>::min();
    sink.skip_after_writes = 1;  // back past the start: from the first sentence again
    say(request);
    EXPECT_EQ(engine.texts.size(), 4u);
    EXPECT_EQ(sink.completed_skips.back(), -1);
}

TEST_F(SpeakDriver, RateChangesReachTheNextSegmentAndVolumeTheNextBlock) {
    engine.samples_per_character = 10;
    sink.after_audio_write = [](RecordingSink& s, int writes) {
        if (writes != 1) return;
        s.rate = -5;
        s.volume = 50;
        s.actions |= kActionRate | kActionVolume;
    };
    TextFragment quiet = text(u"Три.");
    quiet.volume = 50;
    say({text(u"Раз. Два."), quiet});
    ASSERT_EQ(engine.samples_made.size(), 3u);
    const size_t first = read(u"Раз.").size() * 10;
    EXPECT_EQ(engine.samples_made[0], first);
    EXPECT_EQ(engine.samples_made[1], read(u"Два.").size() * 15) << "the site's new rate from the next segment on";
    const std::vector<std::string> volumes = [&] {
        std::vector<std::string> v;
        for (const std::string& call : engine.calls) {
            if (call.rfind("7(", 0) == 0) v.push_back(call);
        }
        return v;
    }();
    EXPECT_EQ(volumes, (std::vector<std::string>{"7(100)", "7(50)", "7(25)"}));

    // Within a segment of several blocks, the blocks after the change are scaled to it.
    sink = RecordingSink{};
    sink.after_audio_write = [](RecordingSink& s, int writes) {
        if (writes != 1) return;
        s.volume = 50;
        s.actions |= kActionVolume;
    };
    engine.samples_per_character = 1000;
    say({text(u"Раз.")});
    const auto audio = written(WriteKind::audio);
    const auto sample = [&](size_t at) { return static_cast<int16_t>(audio[at] | audio[at + 1] << 8); };
    ASSERT_GT(audio.size(), 2 * 2048u + 2);
    EXPECT_EQ(sample(2 * 2048), sample(0) / 2);
}

TEST_F(SpeakDriver, RateMarkupHoldsOnlyForItsOwnRequest) {
    engine.samples_per_character = 10;
    sink.rate = 3;
    TextFragment slow = text(u"раз");
    slow.rate_adj = -8;
    say({slow});
    say({text(u"раз")});
    EXPECT_EQ(engine.samples_made[0], 30u * 90 / 60);  // the site's 3 and the markup's -8: rate -5, tempo 60
    EXPECT_EQ(engine.samples_made[1], 30u * 90 / 100);  // the site's rate 3 again: tempo 100
}

TEST_F(SpeakDriver, OneSentenceWithoutMarkupIsOneCallAsBefore) {
    const std::u16string sentence = u"Съешь же ещё 25 этих мягких французских булок, да выпей чаю.";
    say({text(sentence)});
    EXPECT_EQ(engine.texts, std::vector<std::string>{read(sentence)});
    engine.texts.clear();
    say({text(u"Раз, два.  \n"), text(u"три?")});
    say({text(u"Заголовок\n\nИ текст, т. е. слова")});
    EXPECT_EQ(engine.texts, read_all({u"Раз, два.", u"три?", u"Заголовок", u"И текст, т. е. слова"}));
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

// A segment's audio goes out in blocks of at most 2048 samples; an abort or a
// stopped output ends it at the next block.
TEST_F(SpeakDriver, AbortEndsTheAudioAndSkipsTrailingSilence) {
    state.settings.silence_at_end = 100;
    engine.blocks = {std::vector<uint8_t>(3000, 1), std::vector<uint8_t>(3000, 2)};
    sink.abort_after_writes = 1;
    say({text(u"ab")});
    EXPECT_EQ(sink.audio_writes(), 1);
    EXPECT_EQ(sink.bytes_written(), 4096u);
    EXPECT_TRUE(written(WriteKind::silence).empty());
}

TEST_F(SpeakDriver, StoppedOutputEndsTheAudioAtOnce) {
    state.settings.silence_at_end = 100;
    engine.blocks = {std::vector<uint8_t>(3000, 1), std::vector<uint8_t>(3000, 2)};
    sink.fail_after_writes = 1;
    say({text(u"ab")});
    EXPECT_EQ(sink.audio_writes(), 2);
    EXPECT_TRUE(written(WriteKind::silence).empty());
}

// An abort seen while the library still makes the segment stops the library
// there; the block made before it is heard already.
TEST_F(SpeakDriver, AbortDuringSynthesisStopsTheLibrary) {
    sink.interest = 0;  // no words to estimate: each block goes out as it is made
    sink.abort_after_writes = 1;
    engine.blocks = {{1, 2}, {3, 4}};
    // The second block waits until the driver asks the library to stop, as a
    // slow library would (a guard ends the wait if it never does).
    engine.before_block = [this](size_t block) {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (block == 1 && !engine.stopped && std::chrono::steady_clock::now() < give_up) {
            engine.callback(engine.context, nullptr, -1);  // nothing to hand over: the library's look at its stop
            std::this_thread::yield();
        }
    };
    say({text(u"ab")});
    EXPECT_TRUE(engine.stopped);
    EXPECT_EQ(sink.audio_writes(), 1);
    EXPECT_EQ(written(WriteKind::audio), (std::vector<uint8_t>{0x00, 0x81, 0x00, 0x82}));
}

// Each block goes out while the library still makes the next, after the
// words the library says start in it.
TEST_F(SpeakDriver, BlocksGoOutAsTheLibraryMakesThemAfterTheirWords) {
    const std::string said = read(u"Раз два");
    engine.word_reports = {static_cast<int32_t>(said.find_first_not_of(' ')), static_cast<int32_t>(said.rfind(' ') + 1)};
    engine.blocks = {{1, 2}, {3, 4}};
    std::atomic<bool> first_heard{false};
    sink.after_audio_write = [&first_heard](RecordingSink&, int) { first_heard = true; };
    // The second block waits until the first is heard (a guard ends the wait if it never is).
    bool heard_before_second = false;
    engine.before_block = [&](size_t block) {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (block == 1 && !first_heard && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
        heard_before_second = block == 1 && first_heard;
    };
    say({text(u"Раз два")});
    EXPECT_TRUE(heard_before_second);
    EXPECT_EQ(sink.audio_writes(), 2);
    const auto words = events_of(sink, kEventWordBoundary);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].audio_offset, 0u);
    EXPECT_EQ(words[0].bytes_before, 0u);
    EXPECT_EQ(words[1].audio_offset, 4u) << "where the library said: after the first block";
    EXPECT_EQ(words[1].bytes_before, 4u) << "sent before the block it starts in";
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
    say({text(u"\r")});  // nothing to speak: no line
    say({text(u"Раз. Два.")});  // two segments, one line
    state.log.close();
    const std::u16string sentences =
        prepare_request_text(u"Раз.", state, voice) + u" " + prepare_request_text(u"Два.", state, voice);
    EXPECT_EQ(read_file(file), " тест \r\nдва\r\n" + utf16_to_utf8(sentences) + "\r\n");
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
