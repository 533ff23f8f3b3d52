#pragma once
// The commands of Stress_Dispatch, carried out on a given state.
#include <cstdint>

#include "stress/dictionary_state.h"

namespace vl::dict {

// One command; never throws: a failure while it runs gives SD_E_ARGUMENT, and the
// state stays as far as the command got.
int32_t dispatch_command(DictionaryState& state, int32_t command, intptr_t arg, uint32_t size) noexcept;

}  // namespace vl::dict
