#pragma once
// The speech runtime's fragment list as the speak driver's fragments; their
// texts point into the runtime's.
#include <vector>

#include "engine/speak_request.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

std::vector<TextFragment> fragment_list(const SPVTEXTFRAG* first);

}  // namespace vl::sapi
