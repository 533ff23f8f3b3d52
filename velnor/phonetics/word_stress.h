#pragma once
// Which vowel of a word is stressed: the text's mark, else the lexicon, else rules.
#include <span>
#include <string_view>

#include "velnor/phonetics/sound.h"

namespace velnor {

class Lexicon;

// `sounds`: the word as spell_word gave it; `word`: its lower-case letters
// without stress marks, as the lexicon keys them; `marked`: the text marked
// its stress. Sets `stressed` on one vowel (or none, for a word without a
// stress of its own) and `function_word` on all the word's sounds, and reads
// е as о where the lexicon says so. A null lexicon is not consulted.
void stress_word(std::span<Sound> sounds, std::string_view word, bool marked, const Lexicon* lexicon);

}  // namespace velnor
