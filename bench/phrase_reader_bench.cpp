// Speed of reading text into phones: the first phrase of 1,000 characters (what
// the first audio waits for), the whole of them, and opening a lexicon image
// of the festvox-ru dictionary's size (checked whole when a voice is loaded).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/cp1251.h"
#include "base/utf.h"
#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/utterance.h"

namespace {

std::string russian_text() {
    const std::string sentence = vl::to_cp1251(
        vl::utf8_to_utf16("В две ты+сячи два+дцать четвёртом году+ в городе жило 1250000 человек. "
                          "Шла Саша по шоссе и сосала сушку, а ветер шумел в листве! "
                          "Здравствуйте, сказал он, и солнце поднялось над лесом. "),
        '?');
    std::string text;
    while (text.size() < 1000) text += sentence;
    text.resize(1000);
    return text;
}

// 180,000 distinct words of 4 to 12 letters, as many as the dictionary has.
const std::vector<uint8_t>& lexicon_image() {
    static const std::vector<uint8_t> image = [] {
        std::vector<velnor::LexiconEntry> entries;
        unsigned seed = 12345;
        const auto next = [&seed](unsigned bound) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) % bound;
        };
        for (int i = 0; i < 180000; ++i) {
            std::string word;
            const unsigned length = 4 + next(9);
            for (unsigned k = 0; k < length; ++k) word += static_cast<char>(0xE0 + next(32));
            entries.push_back({word, {static_cast<uint8_t>(1 + next(3)), false, false}});
        }
        return velnor::build_lexicon(std::move(entries));
    }();
    return image;
}

void first_phrase(benchmark::State& state) {
    const std::string text = russian_text();
    const velnor::Lexicon lexicon(lexicon_image());
    for (auto _ : state) {
        velnor::PhraseReader reader(text, &lexicon);
        benchmark::DoNotOptimize(reader.next());
    }
}
BENCHMARK(first_phrase)->Unit(benchmark::kMicrosecond);

void whole_text(benchmark::State& state) {
    const std::string text = russian_text();
    const velnor::Lexicon lexicon(lexicon_image());
    for (auto _ : state) {
        velnor::PhraseReader reader(text, &lexicon);
        while (std::optional<velnor::Phrase> phrase = reader.next()) benchmark::DoNotOptimize(phrase);
    }
}
BENCHMARK(whole_text)->Unit(benchmark::kMicrosecond);

void open_lexicon(benchmark::State& state) {
    const std::vector<uint8_t>& image = lexicon_image();
    for (auto _ : state) benchmark::DoNotOptimize(velnor::Lexicon(image).valid());
    state.counters["image_bytes"] = static_cast<double>(image.size());
}
BENCHMARK(open_lexicon)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
