// SD_STRESS on real Russian running text (VL_BENCH_TEXT) with a real stress
// dictionary (VL_STRESS_DICT, for example the one scripts/build-festival-dict.sh
// builds), through the vldict library as its callers use it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "bench/bench_text.h"
#include "stress/include/vldict.h"
#include "stress/stress_characters.h"

namespace {

int32_t VLDICT_CALL count_output(intptr_t context, const char* text) {
    *reinterpret_cast<size_t*>(context) += std::char_traits<char>::length(text);
    return 0;
}

// Words as the scan finds them: runs of letters.
size_t count_words(const std::string& text) {
    size_t words = 0;
    bool in_word = false;
    for (char c : text) {
        const bool letter = vl::dict::is_stress_letter(c);
        words += letter && !in_word;
        in_word = letter;
    }
    return words;
}

struct Session {
    std::string text = vl::to_cp1251(vl::bench::bench_text(), '?');
    std::vector<std::string> lines;
    size_t words = count_words(text);
    size_t output = 0;
    bool open = false;

    Session() {
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            lines.push_back(text.substr(start, end - start));
            start = end;
        }
        const char* dictionary = std::getenv("VL_STRESS_DICT");
        if (!dictionary || Stress_Dispatch(SD_OPEN_READONLY, reinterpret_cast<intptr_t>(dictionary), 0) != SD_DONE)
            return;
        open = Stress_Dispatch(SD_BEGIN, 0, 0) == SD_DONE;
        Stress_Dispatch(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&count_output), 0);
        Stress_Dispatch(SD_TEXT_CONTEXT, reinterpret_cast<intptr_t>(&output), 0);
    }
};

Session& session() {
    static Session instance;
    return instance;
}

void BM_StressWholeText(benchmark::State& state) {
    Session& s = session();
    if (!s.open) return state.SkipWithError("set VL_STRESS_DICT to a dictionary database");
    for (auto _ : state) {
        Stress_Dispatch(SD_STRESS, reinterpret_cast<intptr_t>(s.text.data()), static_cast<uint32_t>(s.text.size()));
    }
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(s.words * state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(s.text.size() * state.iterations()));
}
BENCHMARK(BM_StressWholeText)->Unit(benchmark::kMillisecond);

void BM_StressLineByLine(benchmark::State& state) {
    Session& s = session();
    if (!s.open) return state.SkipWithError("set VL_STRESS_DICT to a dictionary database");
    for (auto _ : state) {
        for (const std::string& line : s.lines)
            Stress_Dispatch(SD_STRESS, reinterpret_cast<intptr_t>(line.data()), static_cast<uint32_t>(line.size()));
    }
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(s.words * state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StressLineByLine)->Unit(benchmark::kMillisecond);

void BM_StressUtf8LineByLine(benchmark::State& state) {
    Session& s = session();
    if (!s.open) return state.SkipWithError("set VL_STRESS_DICT to a dictionary database");
    std::vector<std::string> lines;
    for (const std::string& line : s.lines) {
        std::u16string wide;
        for (char c : line) wide += vl::cp1251_to_unicode(static_cast<uint8_t>(c)).value_or(u'?');
        lines.push_back(vl::utf16_to_utf8(wide));
    }
    Stress_Dispatch(SD_CODE_PAGE, 65001, 0);
    for (auto _ : state) {
        for (const std::string& line : lines)
            Stress_Dispatch(SD_STRESS, reinterpret_cast<intptr_t>(line.data()), static_cast<uint32_t>(line.size()));
    }
    Stress_Dispatch(SD_CODE_PAGE, 1251, 0);
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(s.words * state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StressUtf8LineByLine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
