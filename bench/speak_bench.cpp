// The speak path: text preparation throughput, and the time from a speak
// request's start to its first audio through the reference synthesis engine.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/bench_text.h"
#include "engine/engine_state.h"
#include "engine/library_settings.h"
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
    for (auto _ : run) benchmark::DoNotOptimize(prepare_request_text(text, state));
    run.SetItemsProcessed(run.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PrepareRequestText)->Unit(benchmark::kMillisecond);

// Notes when the first audio arrives, then asks the driver to stop.
class FirstAudioSink final : public OutputSink {
public:
    Clock::time_point first_audio;
    bool heard = false;
    uint32_t get_actions() override { return heard ? uint32_t{kActionAbort} : 0u; }
    int32_t get_rate() override { return 0; }
    uint16_t get_volume() override { return 100; }
    bool write(const void*, uint32_t, WriteKind kind) override {
        if (kind == WriteKind::audio && !heard) {
            first_audio = Clock::now();
            heard = true;
        }
        return true;
    }
    void add_event(const SpeakEvent&) override {}
};

void BM_TimeToFirstAudio(benchmark::State& run) {
    const std::u16string text = bench::generated_text(1000).substr(0, 1000);
    EngineState state;
    state.language.publish(std::u16string(u"419"));
    state.settings.pause = -1;
    state.settings.intonation = 50;
    SynthEngine& engine = velnor_engine();
    engine.set_audio_callback(audio_chunk_callback);
    const TextFragment fragment{FragmentAction::speak, 0, 100, 0, text};
    LibrarySettings voice;
    for (auto _ : run) {
        FirstAudioSink sink;
        const Clock::time_point start = Clock::now();
        speak({&fragment, 1}, sink, engine, state, voice);
        run.SetIterationTime(std::chrono::duration<double>(sink.first_audio - start).count());
    }
}
BENCHMARK(BM_TimeToFirstAudio)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vl

BENCHMARK_MAIN();
