#pragma once
// The sounds of a phrase as spoken: unstressed vowels reduced by their place
// (first level just before the stress and at the phrase's edges, second level
// elsewhere) and consonants voiced or devoiced by what follows them.
#include <vector>

#include "velnor/phonetics/sound.h"

namespace velnor {

// `sounds`: the phrase's words, stressed, with silence on either side;
// `stress_follows`: the first syllable after the phrase (in the same sentence)
// is stressed. Every sound's phone is then final.
void pronounce_phrase(std::vector<Sound>& sounds, bool stress_follows);

}  // namespace velnor
