// Exact-key fetches and cached counts on a dictionary of 200,000 Russian words.
#include "stress/dictionary_store.h"
#include "stress/stress_codes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace vl::dict;

constexpr int kWords = 200000;

// Lower-case words in code page 1251 (а to я, 0xE0 to 0xFF), 3 to 14 letters.
std::vector<std::string> make_words() {
    std::mt19937 random(1251);
    std::uniform_int_distribution<int> length(3, 14), letter(0xE0, 0xFF);
    std::set<std::string> words;
    while (words.size() < kWords) {
        std::string word(length(random), '\0');
        for (char& c : word) c = static_cast<char>(letter(random));
        words.insert(word);
    }
    std::vector<std::string> shuffled(words.begin(), words.end());
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    return shuffled;
}

struct Dictionary {
    std::vector<std::string> words = make_words();
    fs::path path = fs::temp_directory_path() / "bench_dict_store.dat";
    DictionaryStore store;

    Dictionary() {
        fs::remove(path);
        open_dictionary(store, path.string());
        begin_lookup(store);
        sqlite3BtreeBeginTrans(sqlite3_get_btree(store.connection), 1);
        for (const std::string& word : words) insert_record(store.main_cursor, word, std::string(1, '\x02'));
        sqlite3BtreeCommit(sqlite3_get_btree(store.connection));
        close_dictionary(store);
        store.write_mode = 0;
        open_dictionary(store, std::nullopt);
        begin_lookup(store);
    }
    ~Dictionary() {
        close_dictionary(store);
        fs::remove(path);
    }
};

Dictionary& dictionary() {
    static Dictionary instance;
    return instance;
}

void BM_FetchEntryExact(benchmark::State& state) {
    Dictionary& d = dictionary();
    std::string data;
    size_t i = 0;
    for (auto _ : state) {
        if (fetch_entry(d.store.main_cursor, d.words[i], data) != 0) state.SkipWithError("word not found");
        if (++i == d.words.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FetchEntryExact);

// The lookup's probe of a word followed by "0": almost always absent.
void BM_FetchEntryAbsent(benchmark::State& state) {
    Dictionary& d = dictionary();
    std::string data;
    size_t i = 0;
    for (auto _ : state) {
        if (fetch_entry(d.store.main_cursor, d.words[i] + '0', data) != kStatusNotFound) state.SkipWithError("found");
        if (++i == d.words.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FetchEntryAbsent);

// The first count of the table: a walk over every record.
void BM_CountEntriesWalk(benchmark::State& state) {
    Dictionary& d = dictionary();
    int32_t count = 0;
    for (auto _ : state) {
        // Read only: the count is walked and reported every time, never stored.
        count_entries(d.store, d.store.main_cursor, nullptr, &count, nullptr);
        if (count != kWords) state.SkipWithError("wrong count");
    }
    state.SetItemsProcessed(state.iterations() * kWords);
}
BENCHMARK(BM_CountEntriesWalk)->Unit(benchmark::kMillisecond);

// After the first call has walked the table and stored its count.
void BM_CountEntriesCached(benchmark::State& state) {
    Dictionary& d = dictionary();
    DictionaryStore store;
    store.write_mode = 1;
    open_dictionary(store, d.path.string());
    begin_lookup(store);
    int32_t count = 0;
    count_entries(store, store.main_cursor, nullptr, &count, nullptr);
    for (auto _ : state) {
        if (count_entries(store, store.main_cursor, nullptr, &count, nullptr) != 0 || count != kWords)
            state.SkipWithError("count not established");
    }
    close_dictionary(store);
}
BENCHMARK(BM_CountEntriesCached);

}  // namespace

BENCHMARK_MAIN();
