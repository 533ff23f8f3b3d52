// Loading a 200,000-line user dictionary (time and memory) and replacing words
// with it, in UTF-16 units per second (items_per_second).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <unordered_set>

#include "base/char_class.h"
#include "base/lowercase.h"
#include "base/utf.h"
#include "bench/bench_text.h"
#include "store/file_io.h"
#include "store/user_dictionary_load.h"
#include "textprep/user_dictionary.h"
#include "textprep/user_dictionary_stage.h"

// Every allocation of this program is counted, so that the memory a loaded
// dictionary holds can be reported.
namespace {
std::atomic<long long> live_bytes{0};
constexpr size_t kHeader = alignof(std::max_align_t);
}  // namespace

void* operator new(size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) throw std::bad_alloc();
    *static_cast<size_t*>(block) = size;
    live_bytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    return static_cast<char*>(block) + kHeader;
}
void operator delete(void* pointer) noexcept {
    if (pointer == nullptr) return;
    void* block = static_cast<char*>(pointer) - kHeader;
    live_bytes.fetch_sub(static_cast<long long>(*static_cast<size_t*>(block)), std::memory_order_relaxed);
    std::free(block);
}
void operator delete(void* pointer, size_t) noexcept { operator delete(pointer); }

namespace {

namespace fs = std::filesystem;
constexpr size_t kLines = 200'000;

const std::u16string& text() {
    static const std::u16string text = vl::bench::bench_text();
    return text;
}

// The word with a stress mark after its first vowel.
std::u16string stressed(const std::u16string& word) {
    std::u16string result = word;
    for (size_t i = 0; i < result.size(); ++i) {
        if (vl::is_vowel(result[i])) {
            result.insert(i + 1, 1, u'+');
            break;
        }
    }
    return result;
}

// The words of the benchmark text first, then made-up words, up to kLines
// lines, written as the configurer writes its file.
const fs::path& dictionary_file() {
    static const fs::path file = [] {
        static const char16_t* const kSyllables[] = {u"ба", u"ве", u"ги", u"до", u"жу", u"зы", u"ка", u"ле", u"ми",
                                                     u"но", u"пу", u"ры", u"са", u"те", u"фи", u"хо", u"цу", u"шы"};
        std::unordered_set<std::u16string> words;
        std::vector<std::u16string> order;
        const std::u16string lower = vl::to_lower(text());
        for (size_t i = 0; i < lower.size() && order.size() < kLines;) {
            if (!vl::is_letter(lower[i])) {
                ++i;
                continue;
            }
            const size_t start = i;
            while (i < lower.size() && vl::is_letter(lower[i])) ++i;
            std::u16string word = lower.substr(start, i - start);
            if (words.insert(word).second) order.push_back(std::move(word));
        }
        for (size_t n = 0; order.size() < kLines; ++n) {
            std::u16string word;
            for (size_t k = n + 1; k > 0; k /= std::size(kSyllables)) word += kSyllables[k % std::size(kSyllables)];
            word += u"ность";
            if (words.insert(word).second) order.push_back(std::move(word));
        }
        std::u16string content = u"\xFEFF";
        for (const std::u16string& word : order) content += word + u' ' + stressed(word) + u"\r\n";
        content.resize(content.size() - 2);
        const fs::path path = fs::temp_directory_path() / "vl_bench_dict.dic";
        vl::write_file_atomic(path, vl::utf16_to_utf8(content));
        return path;
    }();
    return file;
}

void BM_LoadUserDictionary(benchmark::State& state) {
    const fs::path& file = dictionary_file();
    size_t entries = 0;
    for (auto _ : state) entries = vl::load_user_dictionary(file)->size();

    const long long before = live_bytes.load();
    const auto dictionary = vl::load_user_dictionary(file);
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
    state.counters["memory_MB"] = static_cast<double>(live_bytes.load() - before) / 1e6;
}
BENCHMARK(BM_LoadUserDictionary)->Unit(benchmark::kMillisecond);

void BM_ApplyUserDictionary(benchmark::State& state) {
    static const vl::UserDictionary dictionary = *vl::load_user_dictionary(dictionary_file());
    const vl::UserDictionary empty;
    const vl::UserDictionary& used = state.range(0) != 0 ? dictionary : empty;
    for (auto _ : state) benchmark::DoNotOptimize(vl::apply_user_dictionary(text(), used));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}
BENCHMARK(BM_ApplyUserDictionary)->ArgName("entries")->Arg(0)->Arg(kLines);

}  // namespace

BENCHMARK_MAIN();
