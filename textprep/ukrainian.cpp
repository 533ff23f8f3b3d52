#include "textprep/ukrainian.h"

namespace vl {

std::u16string prepare_ukrainian(std::u16string_view text, const PronunciationTables& tables) { return std::u16string(text); }

}  // namespace vl
