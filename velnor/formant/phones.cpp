#include "velnor/formant/phones.h"

namespace velnor::formant {
namespace {

using C = PhoneClass;

// Indexed by Phone. Consonant formants are the loci that neighbouring vowels glide from.
constexpr PhoneShape kShapes[] = {
    {C::vowel, {700, 1250, 2500}, 1.0f, 0, 0, 0, 85},             // A
    {C::vowel, {500, 880, 2400}, 1.0f, 0, 0, 0, 85},              // O
    {C::vowel, {320, 720, 2300}, 0.9f, 0, 0, 0, 80},              // U
    {C::vowel, {520, 1800, 2550}, 1.0f, 0, 0, 0, 80},             // E
    {C::vowel, {280, 2250, 2950}, 0.85f, 0, 0, 0, 75},            // I
    {C::vowel, {310, 1500, 2400}, 0.85f, 0, 0, 0, 75},            // Y
    {C::glide, {260, 2200, 3000}, 0.6f, 0, 0, 0, 40},             // J
    {C::stop, {300, 800, 2200}, 0, 0.5f, 900, 1200, 95},          // P
    {C::stop, {300, 1750, 2700}, 0, 0.5f, 3800, 1400, 90},        // T
    {C::stop, {300, 2000, 2400}, 0, 0.55f, 1900, 700, 95},        // K
    {C::voiced_stop, {250, 800, 2200}, 0.18f, 0.3f, 900, 1200, 75},   // B
    {C::voiced_stop, {250, 1750, 2700}, 0.18f, 0.3f, 3800, 1400, 70}, // D
    {C::voiced_stop, {250, 2000, 2400}, 0.18f, 0.35f, 1900, 700, 75}, // G
    {C::fricative, {350, 1100, 2300}, 0, 0.2f, 1700, 2600, 95},   // F
    {C::fricative, {350, 1700, 2600}, 0, 0.55f, 4300, 900, 105},  // S
    {C::fricative, {350, 1650, 2300}, 0, 0.5f, 2500, 900, 105},   // SH
    {C::fricative, {300, 2100, 2900}, 0, 0.5f, 3100, 1100, 135},  // SCH
    {C::fricative, {450, 1300, 2400}, 0, 0.3f, 1300, 900, 90},    // H
    {C::voiced_fricative, {300, 1150, 2300}, 0.45f, 0.08f, 1600, 2400, 70},  // V
    {C::voiced_fricative, {260, 1700, 2600}, 0.35f, 0.3f, 4300, 900, 85},    // Z
    {C::voiced_fricative, {280, 1650, 2300}, 0.35f, 0.28f, 2500, 900, 85},   // ZH
    {C::affricate, {300, 1700, 2600}, 0, 0.55f, 4300, 900, 110},  // TS
    {C::affricate, {300, 2100, 2900}, 0, 0.5f, 3100, 1100, 110},  // CH
    {C::nasal, {250, 1000, 2200}, 0.6f, 0, 0, 0, 65},             // M
    {C::nasal, {250, 1500, 2600}, 0.6f, 0, 0, 0, 60},             // N
    {C::liquid, {350, 950, 2450}, 0.55f, 0, 0, 0, 55},            // L
    {C::liquid, {450, 1300, 1750}, 0.55f, 0, 0, 0, 65},           // R
};

}  // namespace

const PhoneShape& shape_of(Phone phone) { return kShapes[static_cast<int>(phone)]; }

}  // namespace velnor::formant
