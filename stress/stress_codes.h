#pragma once
// Command and result codes of Stress_Dispatch, and the store's own statuses.
#include <cstdint>

// The command and result codes are those of the public header.
#include "stress/include/vldict.h"

namespace vl::dict {

// Statuses the store itself produces besides the database library's.
inline constexpr int32_t kStatusReadOnly = 8;
inline constexpr int32_t kStatusNotFound = 12;

}  // namespace vl::dict
