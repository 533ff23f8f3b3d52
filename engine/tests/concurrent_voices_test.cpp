// Voice objects of one process speaking at the same time through the real
// synthesis library, whose settings and callback context are process-wide.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/tests/running_engine.h"

namespace vl {
namespace {

using namespace std::chrono_literals;

// A site that keeps every audio byte and asks for a rate and volume of its own.
class AudioSink : public OutputSink {
public:
    AudioSink(uint32_t actions, int32_t rate, uint16_t volume) : actions_(actions), rate_(rate), volume_(volume) {}
    uint32_t get_actions() override { return actions_; }
    int32_t get_rate() override { return rate_; }
    uint16_t get_volume() override { return volume_; }
    bool get_sentence_skip(int32_t&) override { return false; }
    void complete_skip(int32_t) override {}
    uint64_t get_event_interest() override { return 0; }
    // Silence is taken slowly, as a busy audio device would: the other voice's
    // request then gets every chance to run in between.
    bool write(const void* bytes, uint32_t count, WriteKind kind) override {
        if (kind == WriteKind::silence) std::this_thread::sleep_for(200us);
        audio.append(static_cast<const char*>(bytes), count);
        return true;
    }
    void add_event(const SpeakEvent&) override {}
    std::string audio;

private:
    const uint32_t actions_;
    const int32_t rate_;
    const uint16_t volume_;
};

struct Voice {
    const char16_t* name;
    uint32_t actions;
    int32_t rate;
    uint16_t volume;
    VoiceChoice library;
};

class ConcurrentVoices : public test::RunningEngineTest {
protected:
    using RunningEngineTest::set_up;
    // The voice set up through the real library, with its own token and choice.
    void set_up(Voice& voice) {
        test::FakeToken voice_token;
        voice_token.name = voice.name;
        ASSERT_EQ(set_up_voice(voice_token, folder, state, velnor_engine(), voice.library), kStatusOk);
    }
    std::string say(Voice& voice, std::u16string_view text) {
        AudioSink sink(voice.actions, voice.rate, voice.volume);
        const TextFragment fragment{FragmentAction::speak, 0, 100, 0, text};
        speak({&fragment, 1}, sink, velnor_engine(), state, voice.library);
        return sink.audio;
    }
};

TEST_F(ConcurrentVoices, EachSpeaksAsItWouldAlone) {
    Voice first{u"Velnor_Male1_Russian", kActionRate | kActionVolume, 6, 60, {}};
    Voice second{u"Velnor_Female2_Russian", 0, 0, 100, {}};
    std::filesystem::create_directories(folder / "VelnorSAPI");
    ASSERT_TRUE(write_file_atomic(folder / "VelnorSAPI" / "prefs.ini", "[General]\nsilence_at_begin = 10\n"));
    set_up(first);
    set_up(second);  // the later set-up must not take the first voice over
    const std::vector<std::u16string> texts = {
        u"Мороз и солнце, день чудесный. Ещё ты дремлешь, друг прелестный? Пора, красавица, проснись.",
        u"да"};
    std::vector<std::vector<std::string>> alone(2);
    for (Voice* voice : {&first, &second}) {
        for (const std::u16string& text : texts) alone[voice == &second].push_back(say(*voice, text));
    }
    ASSERT_NE(alone[0][0], alone[1][0]);

    std::atomic<int> differing{0};
    const auto speak_rounds = [&](Voice& voice, int index) {
        for (int round = 0; round < 20; ++round) {
            const size_t text = static_cast<size_t>(round + index) % texts.size();
            if (say(voice, texts[text]) != alone[index][text]) ++differing;
        }
    };
    std::thread one(speak_rounds, std::ref(first), 0);
    std::thread two(speak_rounds, std::ref(second), 1);
    one.join();
    two.join();
    EXPECT_EQ(differing, 0);
}

// Holds the library inside its synthesis until let go.
class StallingEngine : public test::RecordingEngine {
public:
    void speak(const char* text) override {
        {
            std::unique_lock lock(mutex);
            inside = true;
            changed.notify_all();
            changed.wait(lock, [this] { return released; });
        }
        RecordingEngine::speak(text);
    }
    std::mutex mutex;
    std::condition_variable changed;
    bool inside = false;
    bool released = false;
};

TEST_F(ConcurrentVoices, ARequestPurgedWhileItWaitsReturnsWithoutSpeaking) {
    state.language.publish(std::u16string(u"419"));
    StallingEngine busy_engine;
    busy_engine.set_audio_callback(audio_chunk_callback);
    test::RecordingSink busy_sink;
    VoiceChoice busy_voice;
    std::thread busy([&] {
        const TextFragment fragment{FragmentAction::speak, 0, 100, 0, u"раз"};
        speak({&fragment, 1}, busy_sink, busy_engine, state, busy_voice);
    });
    {
        std::unique_lock lock(busy_engine.mutex);
        busy_engine.changed.wait(lock, [&] { return busy_engine.inside; });
    }

    // A site whose abort is set from another thread.
    struct PurgeableSink : test::RecordingSink {
        std::atomic<uint32_t> purge{0};
        uint32_t get_actions() override { return purge; }
    };
    PurgeableSink waiting;
    const TextFragment fragments[] = {{FragmentAction::bookmark, 0, 100, 0, u"1"}, {FragmentAction::speak, 0, 100, 0, u"два"}};
    std::thread purged([&] { speak(fragments, waiting, engine, state, library); });
    std::this_thread::sleep_for(50ms);  // it waits for its turn
    const auto purge = std::chrono::steady_clock::now();
    waiting.purge = kActionAbort;
    purged.join();
    EXPECT_LT(std::chrono::steady_clock::now() - purge, 500ms);
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(waiting.events.size(), 1u);  // the bookmark before the text only
    EXPECT_TRUE(waiting.writes.empty());

    {
        std::lock_guard lock(busy_engine.mutex);
        busy_engine.released = true;
    }
    busy_engine.changed.notify_all();
    busy.join();
    EXPECT_EQ(busy_engine.spoken.empty(), false);
}

// The last voice object's release on one thread, a set-up on another: a voice
// that is alive and set up always has its tables.
// While a set-up holds the voices' lock the last release waits, so it can never
// empty the tables between a set-up's start and its end.
TEST_F(ConcurrentVoices, TheLastReleaseWaitsForASetUpInProgress) {
    add_voice(state);
    ASSERT_EQ(set_up(), kStatusOk);
    std::unique_lock set_up_in_progress(state.voices_mutex);
    std::atomic<bool> released{false};
    std::thread last([&] {
        remove_voice(state);
        released = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(released);
    EXPECT_FALSE(library.language->tables.get()->letters.empty());
    set_up_in_progress.unlock();
    last.join();
    EXPECT_TRUE(library.language->tables.get()->letters.empty());
}

}  // namespace
}  // namespace vl
