#pragma once
// Which phones the vocal folds sound in: their pitch marks are glottal pulses,
// so their pitch can be measured and moved; in the others they are spaced evenly.
#include "velnor/phonetics/phone_set.h"

namespace velnor {

constexpr bool is_voiced(PhoneId p) {
    if (is_vowel(p)) return true;
    switch (kPhoneNames[p][0]) {
    case 'b': case 'd': case 'g': case 'v': case 'z': case 'm': case 'n': case 'l': case 'r': case 'j':
        return true;
    default:
        return false;  // pau, p t k c ch f s sh sch h
    }
}

}  // namespace velnor
