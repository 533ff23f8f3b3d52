#pragma once
// A word's letters as the sounds they spell, before stress and neighbours
// shape them: consonants hard or soft by the letter after them, the letters
// е ё ю я as j and a vowel where a syllable starts with them, silent and
// doubled consonants simplified, and the common exceptions (что, его, ...).
#include <string_view>
#include <vector>

#include "velnor/phonetics/sound.h"

namespace velnor {

// `letters`: lower-case Russian letters in code page 1251 and hyphens; "+"
// before a vowel stresses it (its sound comes out stressed and fixed). The
// sounds are appended to `out` with `word` set.
void spell_word(std::string_view letters, uint16_t word, std::vector<Sound>& out);

}  // namespace velnor
