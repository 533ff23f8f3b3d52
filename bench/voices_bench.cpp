// Voices of one process through the reference synthesis library, each writing
// to a site that takes audio at playback speed (its write sleeps for as long
// as the audio lasts, divided by VL_BENCH_SPEED_UP when it is set, so that
// the test command can run them in seconds):
// - the set-up of a voice and the release of an idle one while another speaks;
// - two voices speaking a minute of text each at once, against each alone,
//   and the longest a segment waited for its turn at the library.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "bench/bench_text.h"
#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/tests/forwarding_engine.h"
#include "engine/voice_choice.h"
#include "engine/voice_setup.h"

namespace vl {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

int64_t speed_up() {
    const char* variable = std::getenv("VL_BENCH_SPEED_UP");
    return variable ? std::max<int64_t>(1, std::atoll(variable)) : 1;
}

class PlaybackSink final : public OutputSink {
public:
    PlaybackSink() : speed_up_(speed_up()) {}
    std::atomic<bool> stop{false};
    Clock::time_point last_write_end = Clock::now();

    uint32_t get_actions() override { return stop ? uint32_t{kActionAbort} : 0u; }
    int32_t get_rate() override { return 0; }
    uint16_t get_volume() override { return 100; }
    bool get_sentence_skip(int32_t&) override { return false; }
    void complete_skip(int32_t) override {}
    uint64_t get_event_interest() override { return 0; }
    bool write(const void*, uint32_t count, WriteKind) override {
        std::this_thread::sleep_for(std::chrono::microseconds(count * 50 / speed_up_));  // 10000 Hz, 16 bits
        last_write_end = Clock::now();
        return true;
    }
    void add_event(const SpeakEvent&) override {}

private:
    const int64_t speed_up_;
};

// The library, noting how long each segment waited for it: from the end of
// the voice's last write to the start of its synthesis.
class TimedEngine final : public test::ForwardingEngine {
public:
    explicit TimedEngine(const PlaybackSink& sink) : ForwardingEngine(velnor_engine()), sink_(sink) {}
    Milliseconds longest_wait{0};
    Milliseconds longest_segment{0};

    void select_voice(int32_t voice) override {  // the first call of a turn
        turn_start_ = Clock::now();
        library_.select_voice(voice);
    }
    void speak(const char* text) override {
        longest_wait = std::max<Milliseconds>(longest_wait, turn_start_ - sink_.last_write_end);
        library_.speak(text);
        longest_segment = std::max<Milliseconds>(longest_segment, Clock::now() - turn_start_);
    }

private:
    const PlaybackSink& sink_;
    Clock::time_point turn_start_;
};

class Token final : public VoiceToken {
public:
    explicit Token(std::u16string name, std::u16string language) : name_(std::move(name)), language_(std::move(language)) {}
    int32_t voice_name(std::u16string& name) override { return name = name_, kStatusOk; }
    int32_t language(std::optional<std::u16string>& language) override { return language = language_, kStatusOk; }

private:
    const std::u16string name_;
    const std::u16string language_;
};

std::filesystem::path bench_folder() {
    const auto folder = std::filesystem::temp_directory_path() / "vl_voices_bench";
    std::filesystem::create_directories(folder);
    return folder;
}

void BM_SetUpAndReleaseWhileAnotherSpeaks(benchmark::State& run) {
    EngineState state;
    const std::filesystem::path folder = bench_folder();
    VoiceChoice speaking_voice;
    Token russian(u"Velnor_Male1_Russian", u"419");
    add_voice(state);
    set_up_voice(russian, folder, state, velnor_engine(), speaking_voice);
    PlaybackSink sink;
    const std::u16string book = bench::generated_text(100'000);
    std::thread speaking([&] {
        const TextFragment fragment{FragmentAction::speak, 0, 100, 0, book};
        speak({&fragment, 1}, sink, velnor_engine(), state, speaking_voice);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // well into its writes

    Milliseconds longest_set_up{0}, longest_release{0};
    for (auto _ : run) {
        Token ukrainian(u"Velnor_Female1_Ukrainian", u"422");
        VoiceChoice set_up, idle;
        add_voice(state);
        add_voice(state);
        set_up_voice(russian, folder, state, velnor_engine(), idle);
        const auto start = Clock::now();
        set_up_voice(ukrainian, folder, state, velnor_engine(), set_up);
        const auto set_up_done = Clock::now();
        remove_voice(state);
        const auto released = Clock::now();
        remove_voice(state);
        longest_set_up = std::max<Milliseconds>(longest_set_up, set_up_done - start);
        longest_release = std::max<Milliseconds>(longest_release, released - set_up_done);
        run.SetIterationTime(std::chrono::duration<double>(released - start).count());
    }
    sink.stop = true;
    speaking.join();
    remove_voice(state);
    run.counters["set_up_ms"] = longest_set_up.count();
    run.counters["release_ms"] = longest_release.count();
}
BENCHMARK(BM_SetUpAndReleaseWhileAnotherSpeaks)->UseManualTime()->Unit(benchmark::kMillisecond);

struct Speaker {
    explicit Speaker(std::u16string text) : text(std::move(text)), engine(sink) {}
    std::u16string text;
    PlaybackSink sink;
    TimedEngine engine;
    Milliseconds took{0};
    void say(EngineState& state) {
        const TextFragment fragment{FragmentAction::speak, 0, 100, 0, text};
        const auto start = Clock::now();
        sink.last_write_end = start;
        speak({&fragment, 1}, sink, engine, state, VoiceChoice{});
        took = Clock::now() - start;
    }
};

// About a minute of speech each.
void BM_TwoVoicesAtOnce(benchmark::State& run) {
    EngineState state;
    state.language.publish(std::u16string(u"419"));
    state.settings.pause = -1;
    state.settings.intonation = 50;
    velnor_engine().set_audio_callback(audio_chunk_callback);
    const std::u16string text = bench::generated_text(1800);
    Speaker first(text.substr(0, 900)), second(text.substr(900, 900));
    first.say(state);
    second.say(state);
    const Milliseconds alone[2] = {first.took, second.took};
    first.engine.longest_wait = second.engine.longest_wait = Milliseconds{0};
    for (auto _ : run) {
        const auto start = Clock::now();
        std::thread other([&] { second.say(state); });
        first.say(state);
        other.join();
        run.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    run.counters["alone_s"] = alone[0].count() / 1000;
    run.counters["first_of_alone"] = first.took / alone[0];
    run.counters["second_of_alone"] = second.took / alone[1];
    run.counters["wait_ms"] = std::max(first.engine.longest_wait, second.engine.longest_wait).count();
    run.counters["segment_ms"] = std::max(first.engine.longest_segment, second.engine.longest_segment).count();
}
BENCHMARK(BM_TwoVoicesAtOnce)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace vl

BENCHMARK_MAIN();
