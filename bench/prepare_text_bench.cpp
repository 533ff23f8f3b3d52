// prepare_text over long running text with the default tables and
// use_dictionary 1 (Ukrainian also 2, with a user dictionary), in UTF-16 units
// per second (items_per_second). Russian text comes from VL_BENCH_TEXT
// (bench_text.h); Ukrainian text from the UTF-8 file that
// VL_BENCH_UKRAINIAN_TEXT names (scripts/bench-prepare-text.sh fetches both),
// else a generated stand-in.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "base/utf.h"
#include "bench/bench_text.h"
#include "store/file_io.h"
#include "store/pronunciation_file.h"
#include "textprep/prepare_text.h"

namespace {

constexpr std::u16string_view kGeneratedUkrainian =
    u"Ціна квитка 0.5 грн, а щастя не купиш. Їжак і заєць пішли в ліс; зв'язок з ними є й досі. "
    u"У 2021 році ЗНО склали 300 000 учнів — «Укрзалізниця» (УЗ) перевезла їх & нас, iPhone і xbox теж.\n";

std::u16string ukrainian_text() {
    const char* path = std::getenv("VL_BENCH_UKRAINIAN_TEXT");
    const std::string bytes = path == nullptr ? std::string() : vl::read_file(path).value_or("");
    return bytes.empty() ? std::u16string(kGeneratedUkrainian) : vl::utf8_to_utf16(bytes);
}

// The first million units of the source, repeated up to `units`: every size
// holds the same mix of text, so times compare across sizes.
std::u16string sized(std::u16string_view source, size_t units) {
    const std::u16string_view block = source.substr(0, size_t{1} << 20);
    std::u16string text;
    text.reserve(units);
    while (text.size() < units) text += block.substr(0, units - text.size());
    return text;
}

void prepare(benchmark::State& state, std::u16string_view language, const std::u16string& source,
             int32_t use_dictionary = 1, const vl::UserDictionary& dictionary = vl::UserDictionary()) {
    const std::u16string text = sized(source, static_cast<size_t>(state.range(0)));
    const vl::PronunciationTables tables = vl::default_pronunciation_tables(language);
    const vl::PrepareContext context{language, use_dictionary, 0, tables, dictionary};
    for (auto _ : state) benchmark::DoNotOptimize(vl::prepare_text(text, context));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_PrepareText_Russian(benchmark::State& state) {
    static const std::u16string source = vl::bench::bench_text();
    prepare(state, vl::kRussianLanguage, source);
}
void BM_PrepareText_Ukrainian(benchmark::State& state) {
    static const std::u16string source = ukrainian_text();
    prepare(state, vl::kUkrainianLanguage, source);
}

// Ukrainian voices look every word up as written as well: 5,000 entries, two
// of them words of the generated text, one with an apostrophe.
void BM_PrepareText_UkrainianUserDictionary(benchmark::State& state) {
    static const std::u16string source = ukrainian_text();
    static const vl::UserDictionary dictionary = [] {
        std::string lines = "зв'язок звъязо+к\nщастя шча+стя\n";
        for (int i = 0; i < 5000; ++i) lines += "слово" + std::to_string(i) + " сло+во\n";
        return vl::UserDictionary::parse(lines);
    }();
    prepare(state, vl::kUkrainianLanguage, source, 2, dictionary);
}

BENCHMARK(BM_PrepareText_Russian)->Arg(1 << 19)->Arg(4 << 20)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareText_Ukrainian)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareText_UkrainianUserDictionary)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
