#include "stress/stress_dispatch.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "platform/pointer_checks.h"
#include "stress/stress_codes.h"
#include "stress/stress_lookup.h"

namespace vl::dict {

namespace {

int32_t open(DictionaryState& state, intptr_t arg, int32_t write_mode) {
    if (state.open_count != 0) {
        ++state.open_count;
        return SD_STILL_OPEN;
    }
    const char* text = reinterpret_cast<const char*>(arg);
    std::optional<std::string_view> path;
    // An unreadable path is ignored; the stored one (or the lookup chain) serves.
    // A path too long to use is read up to that length, which the open refuses.
    if (text && readable_string(text, kMaxDatabasePath))
        path = std::string_view(text, strnlen(text, kMaxDatabasePath));
    state.store.write_mode = write_mode;
    const int32_t result = open_dictionary(state.store, path);
    if (result == SD_DONE) state.open_count = 1;
    return result;
}

int32_t close(DictionaryState& state) {
    if (state.open_count <= 0) return SD_E_ARGUMENT;
    if (--state.open_count > 0) return SD_STILL_OPEN;
    close_dictionary(state.store);
    return SD_DONE;
}

int32_t begin(DictionaryState& state) {
    if (!state.store.connection || state.store.main_cursor || state.store.anti_cursor) return SD_E_ARGUMENT;
    const int32_t result = begin_lookup(state.store);
    state.text_callback = nullptr;
    state.text_context = 0;
    state.code_page = 1251;
    return result;
}

int32_t stress(DictionaryState& state, intptr_t arg, uint32_t size) {
    const char* text = reinterpret_cast<const char*>(arg);
    if (!readable_bytes(text, size) || !state.store.main_cursor) return SD_E_ARGUMENT;
    return stress_text(state, size == 0 ? std::string_view() : std::string_view(text, size));
}

int32_t select_dictionary(DictionaryStore& store, intptr_t arg, uint32_t size) {
    const char* name = reinterpret_cast<const char*>(arg);
    if (!readable_bytes(name, size)) return SD_E_ARGUMENT;
    select_tables(store, size == 0 ? std::string_view("lexicon") : std::string_view(name, size));
    return SD_DONE;
}

int32_t get_count(DictionaryState& state, intptr_t arg) {
    void* place = reinterpret_cast<void*>(arg);
    if (!place || !writable_bytes(place, sizeof(int32_t)) || !state.store.main_cursor) return SD_E_ARGUMENT;
    int32_t count = -1;
    const int32_t result =
        count_entries(state.store, state.store.main_cursor, state.store.anti_cursor, &count, nullptr);
    std::memcpy(place, &count, sizeof count);
    return result;
}

int32_t run(DictionaryState& state, int32_t command, intptr_t arg, uint32_t size) {
    switch (command) {
    case SD_OPEN_READONLY: return open(state, arg, 0);
    case SD_OPEN: return open(state, arg, 1);
    case SD_CLOSE: return close(state);
    case SD_BEGIN: return begin(state);
    case SD_END: end_lookup(state.store); return SD_DONE;
    case SD_STRESS: return stress(state, arg, size);
    case SD_SELECT_DICTIONARY: return select_dictionary(state.store, arg, size);
    case SD_TEXT_CALLBACK: state.text_callback = reinterpret_cast<StressTextCallback>(arg); return SD_DONE;
    case SD_TEXT_CONTEXT: state.text_context = arg; return SD_DONE;
    case SD_WORD_CALLBACK: state.word_callback = reinterpret_cast<StressWordCallback>(arg); return SD_DONE;
    case SD_WORD_CONTEXT: state.word_context = arg; return SD_DONE;
    case SD_CODE_PAGE: state.code_page = static_cast<int32_t>(arg); return SD_DONE;
    case SD_GET_COUNT: return get_count(state, arg);
    default: return SD_DONE;  // the reserved codes and every unknown one
    }
}

}  // namespace

int32_t dispatch_command(DictionaryState& state, int32_t command, intptr_t arg, uint32_t size) noexcept {
    try {
        return run(state, command, arg, size);
    } catch (...) {
        return SD_E_ARGUMENT;
    }
}

}  // namespace vl::dict
