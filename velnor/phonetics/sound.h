#pragma once
// One sound of a phrase on its way from letters to the voice's phones.
#include <cstdint>

#include "velnor/phonetics/phone_set.h"

namespace velnor {

struct Sound {
    PhoneId phone = kPause;  // the phone; for a vowel still to reduce, its stressed form (aa, oo, ...)
    bool reducible = false;  // a vowel whose phone depends on stress and neighbours
    bool stressed = false;   // a vowel: the nucleus of its word's stressed syllable
    bool function_word = false;  // in a preposition, conjunction or particle
    bool word_end = false;   // the last sound of its word
    uint16_t word = 0;
};

}  // namespace velnor
