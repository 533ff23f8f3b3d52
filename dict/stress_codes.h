#pragma once
// Command and result codes of Stress_Dispatch.
#include <cstdint>

namespace vl::dict {

// Commands.
inline constexpr int32_t SD_OPEN_READONLY = -3;
inline constexpr int32_t SD_CLOSE = -2;
inline constexpr int32_t SD_OPEN = -1;
inline constexpr int32_t SD_BEGIN = 1;
inline constexpr int32_t SD_END = 2;
inline constexpr int32_t SD_STRESS = 3;
inline constexpr int32_t SD_SELECT_DICTIONARY = 4;
inline constexpr int32_t SD_TEXT_CALLBACK = 100;
inline constexpr int32_t SD_TEXT_CONTEXT = 102;
inline constexpr int32_t SD_WORD_CALLBACK = 112;
inline constexpr int32_t SD_WORD_CONTEXT = 114;
inline constexpr int32_t SD_CODE_PAGE = 200;
inline constexpr int32_t SD_GET_COUNT = 301;

// Results.
inline constexpr int32_t SD_DONE = 1000;
inline constexpr int32_t SD_STILL_OPEN = 1;
inline constexpr int32_t SD_E_ARGUMENT = static_cast<int32_t>(0x81000006u);
inline constexpr int32_t SD_E_DATABASE = static_cast<int32_t>(0x81000008u);

// Statuses the store itself produces besides the database library's.
inline constexpr int32_t kStatusReadOnly = 8;
inline constexpr int32_t kStatusNotFound = 12;

}  // namespace vl::dict
