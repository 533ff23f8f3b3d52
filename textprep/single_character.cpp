#include "textprep/single_character.h"

namespace vl {

std::u16string read_single_character(std::u16string_view text, const PronunciationTables& tables) { return std::u16string(text); }

}  // namespace vl
