// SD_STRESS with random text in a random code page, against a small dictionary
// with every kind of record: positions, probes, replacement texts, empty data.
// The first input byte picks the code page; the rest is the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "stress/stress_codes.h"
#include "stress/stress_dispatch.h"
#include "fuzz/scratch_file.h"

namespace {

namespace fs = std::filesystem;
using namespace vl::dict;

constexpr int32_t kCodePages[] = {1251, 65001, 866, 1252, 0, -5, 20866, 28595, 1250, -866};

int32_t VLDICT_CALL check_text(intptr_t, const char* text) {
    if (std::strlen(text) > (1u << 24)) std::abort();
    return 0;
}
int32_t VLDICT_CALL check_word(intptr_t, int32_t position, const char* word, int32_t length) {
    if (position < 1 || length < 0 || word[length] != '\0') std::abort();
    return 0;
}

DictionaryState& prepared_state() {
    static DictionaryState state;
    static const bool ready = [] {
        const fs::path file = vl::fuzz::scratch_file("fuzz_stress_dispatch");
        fs::remove(file);
        const std::string path = file.string();
        dispatch_command(state, SD_OPEN, reinterpret_cast<intptr_t>(path.c_str()), 0);
        dispatch_command(state, SD_BEGIN, 0, 0);
        const std::pair<std::string, std::string> records[] = {
            {"\xEC\xE0\xEC\xE0", "\x03"},                        // мама
            {"\xE7\xE0\xEC\xEE\xEA", "\x02"},                    // замок
            {"\xE7\xE0\xEC\xEE\xEA" "0", "\x04"},                // its probe
            {"\xF7\xF2\xEE\xF2\xEE", std::string("\x01\x03\x09", 3)},
            {"\xEF\xEE", std::string("\x00\xFF", 2)},
            {"\xED\xF3", ""},                                    // ну: removed
            {"\xEE\xF5", "oh123"},
            {"\xE0\xE1", "7seven9"},
        };
        for (const auto& [key, data] : records) insert_record(state.store.main_cursor, key, data);
        dispatch_command(state, SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&check_text), 0);
        dispatch_command(state, SD_WORD_CALLBACK, reinterpret_cast<intptr_t>(&check_word), 0);
        fs::remove(file);  // the open connection keeps it readable
        return true;
    }();
    (void)ready;
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    DictionaryState& state = prepared_state();
    dispatch_command(state, SD_CODE_PAGE, kCodePages[data[0] % std::size(kCodePages)], 0);
    const int32_t result =
        dispatch_command(state, SD_STRESS, reinterpret_cast<intptr_t>(data + 1), static_cast<uint32_t>(size - 1));
    if (result != 0) std::abort();
    return 0;
}
