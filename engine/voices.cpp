#include "engine/voices.h"

#include "contract/languages.h"

namespace vl {

int32_t voice_index(std::u16string_view name) { return static_cast<int32_t>(voice_kind_index(name).value_or(0)); }

}  // namespace vl
