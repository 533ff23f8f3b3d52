#pragma once
// The stress library's process-wide state: the store, how often it is open, the
// callbacks and the caller's code page.
#include <cstdint>

#include "stress/dictionary_store.h"
#include "stress/include/vldict.h"

namespace vl::dict {

struct DictionaryState {
    DictionaryStore store;
    int32_t open_count = 0;
    StressTextCallback text_callback = nullptr;
    intptr_t text_context = 0;
    StressWordCallback word_callback = nullptr;
    intptr_t word_context = 0;
    int32_t code_page = 0;
};

}  // namespace vl::dict
