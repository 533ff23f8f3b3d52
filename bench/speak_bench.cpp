// The speak path: text preparation throughput, the time from a speak request's
// start to its first audio, for a short request and for a book handed over at
// once, through a library that answers at once (the driver's own part) and
// through the recorded voice (VELNOR_VOICE names its file), and the cost of a
// whole request with every event asked for.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/bench_text.h"
#include "engine/engine_state.h"
#include "engine/voice_choice.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"

namespace vl {
namespace {

using Clock = std::chrono::steady_clock;

void BM_PrepareRequestText(benchmark::State& run) {
    const std::u16string text = bench::bench_text().substr(0, 1'000'000);
    EngineState state;
    state.language.publish(std::u16string(u"419"));
    state.settings.use_dictionary = 1;
    for (auto _ : run) benchmark::DoNotOptimize(prepare_request_text(text, state, VoiceChoice{}));
    run.SetItemsProcessed(run.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PrepareRequestText)->Unit(benchmark::kMillisecond);

// Asks for every event; notes when the first audio arrives and, when told to,
// asks the driver to stop there.
class BenchSink final : public OutputSink {
public:
    explicit BenchSink(bool stop_at_first_audio) : stop_at_first_audio_(stop_at_first_audio) {}
    Clock::time_point first_audio;
    bool heard = false;
    uint64_t events = 0;
    uint32_t get_actions() override { return heard && stop_at_first_audio_ ? uint32_t{kActionAbort} : 0u; }
    int32_t get_rate() override { return 0; }
    uint16_t get_volume() override { return 100; }
    bool get_sentence_skip(int32_t&) override { return false; }
    void complete_skip(int32_t) override {}
    uint64_t get_event_interest() override { return ~0ull; }
    bool write(const void*, uint32_t, WriteKind kind) override {
        if (kind == WriteKind::audio && !heard) {
            first_audio = Clock::now();
            heard = true;
        }
        return true;
    }
    void add_event(const SpeakEvent&) override { ++events; }

private:
    bool stop_at_first_audio_;
};

// A library without a usable voice makes no audio: the benchmarks that wait
// for it say so instead of waiting for ever.
bool engine_speaks(benchmark::State& run) {
    if (velnor_engine().ready() != 0) return true;
    run.SkipWithError("the synthesis library is not ready (no usable voice file)");
    return false;
}

EngineState& bench_state() {
    static EngineState state;
    state.language.publish(std::u16string(u"419"));
    state.settings.pause = -1;
    state.settings.intonation = 50;
    velnor_engine().set_audio_callback(audio_chunk_callback);
    return state;
}

// A library that answers at once: for each word of its text, the word's
// report and a short block of samples, as the velnor library hands them over.
class InstantLibrary final : public SynthEngine {
public:
    int32_t ready() override { return 1; }
    void set_audio_callback(synth_audio_callback callback) override { callback_ = callback; }
    void select_voice(int32_t) override {}
    int32_t current_voice() override { return 0; }
    void use_main_dictionary(int32_t) override {}
    void set_callback_context(void* context) override { context_ = context; }
    void set_volume(int32_t) override {}
    void set_pause(int32_t) override {}
    void set_speed_step(int32_t) override {}
    void set_tempo(int32_t) override {}
    void set_pitch_low(int32_t) override {}
    void set_pitch_high(int32_t) override {}
    void stop() override {}
    bool report_words(bool on) override { return report_ = on, true; }
    void speak(const char* text) override {
        static constexpr uint8_t kBlock[128] = {};
        for (const char* at = text; *at != '\0'; ++at) {
            if (*at == ' ' || (at != text && at[-1] != ' ')) continue;
            if (report_ && callback_(context_, nullptr, static_cast<int32_t>(at - text)) != 0) return;
            if (callback_(context_, kBlock, sizeof kBlock) != 0) return;
        }
    }

private:
    synth_audio_callback callback_ = nullptr;
    void* context_ = nullptr;
    bool report_ = false;
};

// Arguments: the request's length in characters; 0 for the library that
// answers at once, 1 for the recorded voice.
void BM_TimeToFirstAudio(benchmark::State& run) {
    const std::u16string text = bench::generated_text(run.range(0)).substr(0, run.range(0));
    EngineState& state = bench_state();
    InstantLibrary instant;
    instant.set_audio_callback(audio_chunk_callback);
    SynthEngine& library = run.range(1) == 0 ? instant : velnor_engine();
    if (run.range(1) != 0 && !engine_speaks(run)) return;
    const TextFragment fragment{FragmentAction::speak, 0, 100, 0, text};
    VoiceChoice voice;
    std::vector<double> microseconds;
    for (auto _ : run) {
        BenchSink sink(true);
        const Clock::time_point start = Clock::now();
        speak({&fragment, 1}, sink, library, state, voice);
        if (!sink.heard) {
            run.SkipWithError("the request made no audio");
            return;
        }
        const std::chrono::duration<double> took = sink.first_audio - start;
        run.SetIterationTime(took.count());
        microseconds.push_back(took.count() * 1e6);
    }
    // The mean counts the times another program had the processor; the
    // median and the 90th percentile tell what a request usually waits.
    std::sort(microseconds.begin(), microseconds.end());
    run.counters["median_us"] = microseconds[microseconds.size() / 2];
    run.counters["p90_us"] = microseconds[microseconds.size() * 9 / 10];
}
BENCHMARK(BM_TimeToFirstAudio)
    ->ArgsProduct({{1000, 1'000'000}, {0, 1}})
    ->ArgNames({"characters", "voice"})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The whole of a 1,000-character request, every event asked for.
void BM_WholeRequest(benchmark::State& run) {
    const std::u16string text = bench::generated_text(1000).substr(0, 1000);
    EngineState& state = bench_state();
    const VoiceChoice voice;
    const TextFragment fragment{FragmentAction::speak, 0, 100, 0, text};
    uint64_t events = 0;
    if (!engine_speaks(run)) return;
    for (auto _ : run) {
        BenchSink sink(false);
        speak({&fragment, 1}, sink, velnor_engine(), state, voice);
        events = sink.events;
    }
    run.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_WholeRequest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vl

BENCHMARK_MAIN();
