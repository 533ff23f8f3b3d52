// Voices of one process, each with its own language, speaking at once: each
// sounds as it would alone, set-up and release never wait for another voice's
// audio, and the library is taken in turns in the order the voices ask.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "store/tests/temp_folder.h"
#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"

namespace vl {
namespace {

using namespace std::chrono_literals;

struct Voice {
    std::u16string name;
    std::u16string language;
    std::u16string text;
    VoiceChoice library;
};

class ManyVoices : public test::TempFolderTest {
protected:
    void set_up(EngineState& state, Voice& voice, SynthEngine& engine) {
        test::FakeToken token;
        token.name = voice.name;
        token.language_code = voice.language;
        ASSERT_EQ(set_up_voice(token, folder, state, engine, voice.library), kStatusOk);
    }
    static std::vector<uint8_t> say(EngineState& state, Voice& voice) {
        test::RecordingSink sink;
        const TextFragment fragment = test::plain_text(voice.text);
        speak({&fragment, 1}, sink, velnor_engine(), state, voice.library);
        std::vector<uint8_t> audio;
        for (const auto& write : sink.writes) audio.insert(audio.end(), write.second.begin(), write.second.end());
        return audio;
    }
};

TEST_F(ManyVoices, ARussianAndAUkrainianVoiceEachSoundAsAlone) {
    Voice russian{u"Velnor_Male1_Russian", u"419", u"Привет, мир! Ещё ты дремлешь, друг прелестный?", {}};
    Voice ukrainian{u"Velnor_Female1_Ukrainian", u"422", u"Привіт, світе! Їжачок їсть яблуко.", {}};
    std::vector<uint8_t> alone[2];
    for (Voice* voice : {&russian, &ukrainian}) {
        EngineState solo;
        set_up(solo, *voice, velnor_engine());
        alone[voice == &ukrainian] = say(solo, *voice);
        solo.log.close();
    }
    ASSERT_FALSE(alone[0].empty());

    for (const bool russian_first : {true, false}) {
        EngineState shared;
        Voice first = russian_first ? russian : ukrainian;
        Voice second = russian_first ? ukrainian : russian;
        set_up(shared, first, velnor_engine());
        set_up(shared, second, velnor_engine());
        Voice& r = russian_first ? first : second;
        Voice& u = russian_first ? second : first;
        EXPECT_EQ(say(shared, r), alone[0]) << "Russian voice, Russian set up first: " << russian_first;
        EXPECT_EQ(say(shared, u), alone[1]) << "Ukrainian voice, Russian set up first: " << russian_first;

        std::atomic<int> differing{0};
        const auto rounds = [&](Voice& voice, const std::vector<uint8_t>& expected) {
            for (int round = 0; round < 5; ++round) differing += say(shared, voice) != expected;
        };
        std::thread one(rounds, std::ref(r), std::cref(alone[0]));
        std::thread two(rounds, std::ref(u), std::cref(alone[1]));
        one.join();
        two.join();
        EXPECT_EQ(differing, 0) << "speaking at once";
        shared.log.close();
    }
}

// A site whose audio writes block until the test lets them go, as a paused
// voice's do.
class BlockedSink : public test::RecordingSink {
public:
    bool write(const void* bytes, uint32_t count, WriteKind kind) override {
        {
            std::unique_lock lock(mutex_);
            blocked_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return let_go_; });
        }
        return RecordingSink::write(bytes, count, kind);
    }
    void wait_until_blocked() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return blocked_; });
    }
    void let_go() {
        std::lock_guard lock(mutex_);
        let_go_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool blocked_ = false;
    bool let_go_ = false;
};

TEST_F(ManyVoices, SetUpReleaseAndOtherVoicesGoOnWhileAVoiceIsBlockedInAWrite) {
    EngineState state;
    test::RecordingEngine engine;
    engine.set_audio_callback(audio_chunk_callback);
    Voice blocked{u"Velnor_Male1_Russian", u"419", u"Раз два три.", {}};
    Voice idle{u"Velnor_Female2_Russian", u"419", u"", {}};
    add_voice(state);
    add_voice(state);
    set_up(state, blocked, engine);
    set_up(state, idle, engine);
    BlockedSink sink;
    std::thread speaking([&] {
        const TextFragment fragment = test::plain_text(blocked.text);
        speak({&fragment, 1}, sink, engine, state, blocked.library);
    });
    sink.wait_until_blocked();

    // Each of these would wait for the blocked write before; the write is let
    // go only after all of them have returned (or a generous guard expired).
    auto others = std::async(std::launch::async, [&] {
        Voice later{u"Velnor_Female1_Ukrainian", u"422", u"", {}};
        add_voice(state);
        set_up(state, later, engine);
        remove_voice(state);  // the idle voice's release
        test::RecordingSink other;
        const TextFragment fragment = test::plain_text(u"Четыре.");
        speak({&fragment, 1}, other, engine, state, later.library);
        remove_voice(state);
        return other.audio_writes();
    });
    const bool returned = others.wait_for(60s) == std::future_status::ready;
    sink.let_go();
    speaking.join();
    ASSERT_TRUE(returned);
    EXPECT_GT(others.get(), 0);
    remove_voice(state);
    state.log.close();
}

// Voice A asks for its segments back to back; voice B's one segment, asked
// while A's first is being made, comes right after it.
TEST_F(ManyVoices, TurnsAtTheLibraryGoInTheOrderAsked) {
    EngineState state;
    test::use_russian_defaults(state);
    struct CountingSink : test::RecordingSink {
        std::atomic<int> looks{0};
        uint32_t get_actions() override { return ++looks, 0u; }
    };
    test::RecordingEngine a_engine, b_engine;
    a_engine.set_audio_callback(audio_chunk_callback);
    b_engine.set_audio_callback(audio_chunk_callback);
    CountingSink b_sink;
    std::promise<void> b_waits;
    std::thread b;
    size_t a_segments_before_b = 0;
    b_engine.before_block = [&](size_t) { a_segments_before_b = a_engine.texts.size(); };
    a_engine.before_block = [&](size_t) {
        if (a_engine.texts.size() != 1 || b.joinable()) return;
        b = std::thread([&] {
            const TextFragment fragment = test::plain_text(u"Да.");
            speak({&fragment, 1}, b_sink, b_engine, state, VoiceChoice{});
        });
        // B has looked at its site before its segment and again while it waits for its turn.
        while (b_sink.looks < 2) std::this_thread::yield();
    };
    std::u16string book;
    for (int sentence = 0; sentence < 20; ++sentence) book += u"Раз два три. ";
    for (int request = 0; request < 3; ++request) {
        test::RecordingSink a_sink;
        const TextFragment fragment = test::plain_text(book);
        speak({&fragment, 1}, a_sink, a_engine, state, VoiceChoice{});
    }
    b.join();
    EXPECT_EQ(a_engine.texts.size(), 60u);
    EXPECT_EQ(a_segments_before_b, 1u);
}

}  // namespace
}  // namespace vl
