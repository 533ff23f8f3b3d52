#pragma once
// Command and result codes of Stress_Dispatch, and the store's own statuses.
#include <cstdint>

// The command and result codes are those of the public header; the store and
// the dispatch use them unqualified.
#include "dict/include/vldict.h"

namespace vl::dict {

using ::SD_BEGIN;
using ::SD_CLOSE;
using ::SD_CODE_PAGE;
using ::SD_DONE;
using ::SD_E_ARGUMENT;
using ::SD_E_DATABASE;
using ::SD_END;
using ::SD_GET_COUNT;
using ::SD_OPEN;
using ::SD_OPEN_READONLY;
using ::SD_SELECT_DICTIONARY;
using ::SD_STILL_OPEN;
using ::SD_STRESS;
using ::SD_TEXT_CALLBACK;
using ::SD_TEXT_CONTEXT;
using ::SD_WORD_CALLBACK;
using ::SD_WORD_CONTEXT;

// Statuses the store itself produces besides the database library's.
inline constexpr int32_t kStatusReadOnly = 8;
inline constexpr int32_t kStatusNotFound = 12;

}  // namespace vl::dict
