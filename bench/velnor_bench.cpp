// Speed of the synthesis engine on 1,000 characters of Russian text: the real
// time factor (seconds of audio made per second) and the time to the first
// block; and, on Linux, the private memory speaking adds to the process (the
// voice file is mapped read-only and shared, so it is not counted).
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "velnor/include/velnor_api.h"
#include "base/cp1251.h"
#include "base/utf.h"

namespace {

constexpr double kSamplesPerSecond = 10000.0;

std::string russian_text() {
    const std::string sentence = vl::to_cp1251(vl::utf8_to_utf16(
        "В две ты+сячи два+дцать четвёртом году+ в го+роде жи+ло 1250000 челове+к. "
        "Шла Са+ша по шоссе+ и соса+ла су+шку, а ве+тер шуме+л в листве+! "), '?');
    std::string text;
    while (text.size() < 1000) text += sentence;
    text.resize(1000);
    return text;
}

struct Run {
    long long samples = 0;
    bool stop_at_first_block = false;
};

int32_t VELNOR_CALL count_samples(void* context, const uint8_t*, int32_t count) {
    auto* run = static_cast<Run*>(context);
    run->samples += count;
    if (!run->stop_at_first_block) return 0;
    synth_stop();
    return 1;
}

// The process's private (anonymous) resident memory in megabytes; 0 where unknown.
double private_megabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("RssAnon:", 0) == 0) return std::stod(line.substr(8)) / 1024.0;
    return 0;
}

void speak_all(benchmark::State& state) {
    static const double before_any_speech = private_megabytes();
    const std::string text = russian_text();
    Run run;
    synth_set_audio_callback(count_samples);
    synth_set_callback_context(&run);
    for (auto _ : state) synth_speak(text.c_str(), 0);
    state.counters["audio_seconds"] = static_cast<double>(run.samples) / kSamplesPerSecond /
                                      static_cast<double>(state.iterations());
    // Seconds of audio per second of work: the real time factor.
    state.counters["real_time_factor"] =
        benchmark::Counter(static_cast<double>(run.samples) / kSamplesPerSecond, benchmark::Counter::kIsRate);
    state.counters["private_MB_added"] = private_megabytes() - before_any_speech;
}
BENCHMARK(speak_all)->Unit(benchmark::kMillisecond);

// From the call to the first block of audio (the speech stops there).
void first_block(benchmark::State& state) {
    const std::string text = russian_text();
    Run run;
    run.stop_at_first_block = true;
    synth_set_audio_callback(count_samples);
    synth_set_callback_context(&run);
    for (auto _ : state) synth_speak(text.c_str(), 0);
    state.counters["first_block_samples"] = static_cast<double>(run.samples) / static_cast<double>(state.iterations());
}
BENCHMARK(first_block)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
