// Speed of number reading, in UTF-16 units per second (items_per_second).
#include <benchmark/benchmark.h>

#include "bench/bench_text.h"
#include "textprep/numbers.h"

namespace {

void run(benchmark::State& state, const std::u16string& text, bool disable_decimal_separator) {
    for (auto _ : state) benchmark::DoNotOptimize(vl::prepare_numbers(text, disable_decimal_separator));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_PrepareNumbers_Text(benchmark::State& state) {
    static const std::u16string text = vl::bench::bench_text();
    run(state, text, state.range(0) != 0);
}
BENCHMARK(BM_PrepareNumbers_Text)->Arg(0)->Arg(1);

// Numbers only: every character is a digit, point or blank.
void BM_PrepareNumbers_Digits(benchmark::State& state) {
    static const std::u16string text = [] {
        std::u16string digits;
        while (digits.size() < 1'000'000) digits += u"12 500 3.14 007 10.05 2005 0.5 1 000 ";
        return digits;
    }();
    run(state, text, state.range(0) != 0);
}
BENCHMARK(BM_PrepareNumbers_Digits)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
