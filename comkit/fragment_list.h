#pragma once
// The speech runtime's fragment list as the speak driver's fragments; their
// texts point into the runtime's.
#include <vector>

#include "comkit/sapi_declarations.h"
#include "engine/speak_request.h"

namespace vl::sapi {

std::vector<TextFragment> fragment_list(const SPVTEXTFRAG* first);

}  // namespace vl::sapi
