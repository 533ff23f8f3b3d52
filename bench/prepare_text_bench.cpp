// prepare_text over long running text with the default tables, use_dictionary 1.
// Real text comes from the files named by VL_BENCH_RUSSIAN_TEXT and
// VL_BENCH_UKRAINIAN_TEXT (UTF-8; scripts/bench-prepare-text.sh fetches them);
// without them a generated text stands in.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "base/file_io.h"
#include "base/settings_file.h"
#include "base/utf.h"
#include "textprep/prepare_text.h"
#include "textprep/pronunciation_file.h"

namespace vl {
namespace {

constexpr std::u16string_view kGeneratedRussian =
    u"В 2005 году ЦСКА выиграл Кубок УЕФА & стал первым клубом из России. "
    u"«Спартак» — 3:0, цена 1 000 ₽ (около 12.50 €); см. www.example.com и iPhone 15 Pro.\n"
    u"Правительство РФ, МГУ и ФСБ обсудили вопрос 007, xbox и Jack London; ТАСС сообщил об этом.\n";
constexpr std::u16string_view kGeneratedUkrainian =
    u"Ціна квитка 0.5 грн, а щастя не купиш. Їжак і заєць пішли в ліс; зв'язок з ними є й досі. "
    u"У 2021 році ЗНО склали 300 000 учнів — «Укрзалізниця» (УЗ) перевезла їх & нас.\n";

std::u16string real_or_generated(const char* variable, std::u16string_view generated) {
    const char* path = std::getenv(variable);
    if (path != nullptr) {
        if (const std::optional<std::string> bytes = read_file(path); bytes && !bytes->empty()) {
            return utf8_to_utf16(*bytes);
        }
    }
    return std::u16string(generated);
}

// The first million units of the source, repeated up to `units` UTF-16 units:
// every size holds the same mix of text, so times compare across sizes.
std::u16string sized(std::u16string_view source, size_t units) {
    const std::u16string_view block = source.substr(0, size_t{1} << 20);
    std::u16string text;
    text.reserve(units);
    while (text.size() < units) text += block.substr(0, units - text.size());
    return text;
}

PronunciationTables default_tables(std::u16string_view language) {
    SettingsFile empty;
    PronunciationTables tables;
    read_pronunciation_tables(empty, language, tables);
    return tables;
}

void prepare(benchmark::State& state, std::u16string_view language) {
    static const std::u16string russian = real_or_generated("VL_BENCH_RUSSIAN_TEXT", kGeneratedRussian);
    static const std::u16string ukrainian = real_or_generated("VL_BENCH_UKRAINIAN_TEXT", kGeneratedUkrainian);
    const std::u16string text = sized(language == kUkrainianLanguage ? ukrainian : russian, state.range(0));
    const PronunciationTables tables = default_tables(language);
    const UserDictionary dictionary;
    const PrepareContext context{language, 1, 0, tables, dictionary};
    for (auto _ : state) benchmark::DoNotOptimize(prepare_text(text, context));
    state.counters["units/s"] = benchmark::Counter(static_cast<double>(text.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_PrepareRussian(benchmark::State& state) { prepare(state, kRussianLanguage); }
void BM_PrepareUkrainian(benchmark::State& state) { prepare(state, kUkrainianLanguage); }

BENCHMARK(BM_PrepareRussian)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareUkrainian)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vl
