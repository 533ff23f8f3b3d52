// Opening and reading a damaged dictionary database: the input is either a whole
// file, or patches to a small valid dictionary (first byte odd: offset, offset, value
// triples). Whatever the file holds, the store must answer with a status, never crash.
#include "store/file_io.h"
#include "stress/dictionary_store.h"
#include "stress/stress_codes.h"
#include "fuzz/scratch_file.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace vl::dict;

const fs::path& work_file() {
    static const fs::path path = vl::fuzz::scratch_file("fuzz_open_database");
    return path;
}

void write_work_file(const std::string& bytes) {
    fs::remove(fs::path(work_file()).concat("-journal"));
    vl::write_file_atomic(work_file(), bytes);
}

// A valid dictionary with a few hundred words and stored counts.
const std::string& valid_dictionary() {
    static const std::string bytes = [] {
        fs::remove(work_file());
        DictionaryStore store;
        open_dictionary(store, work_file().string());
        begin_lookup(store);
        sqlite3BtreeBeginTrans(sqlite3_get_btree(store.connection), 1);
        for (int i = 0; i < 300; ++i) insert_record(store.main_cursor, "\xF1\xEB\xEE\xE2\xEE" + std::to_string(i), "\x02");
        insert_record(store.anti_cursor, "\xE0\xED\xF2\xE8", "x");
        sqlite3BtreeCommit(sqlite3_get_btree(store.connection));
        int32_t main = 0, anti = 0;
        count_entries(store, store.main_cursor, store.anti_cursor, &main, &anti);
        close_dictionary(store);
        return vl::read_file(work_file()).value_or("");
    }();
    return bytes;
}

void exercise(int32_t write_mode) {
    DictionaryStore store;
    store.write_mode = write_mode;
    if (open_dictionary(store, work_file().string()) != SD_DONE) return;
    begin_lookup(store);
    std::string data;
    for (const char* key : {"\xF1\xEB\xEE\xE2\xEE" "7", "\xF1\xEB\xEE\xE2\xEE" "299", "", "zz"})
        fetch_entry(store.main_cursor, key, data);
    int32_t main = 0, anti = 0;
    count_entries(store, store.main_cursor, store.anti_cursor, &main, &anti);
    close_dictionary(store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string file;
    if (data[0] & 1) {
        file = valid_dictionary();
        for (size_t i = 1; i + 2 < size; i += 3) file[((data[i] << 8) | data[i + 1]) % file.size()] = char(data[i + 2]);
    } else {
        file.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    }
    for (int32_t write_mode : {0, 1}) {
        write_work_file(file);
        exercise(write_mode);
    }
    return 0;
}
