#pragma once
// The engine's sound inventory: Russian phonemes and how each one is shaped.
#include <cstdint>

namespace velnor::formant {

enum class Phone : uint8_t {
    A, O, U, E, I, Y,        // vowels
    J,                       // glide
    P, T, K,                 // voiceless stops
    B, D, G,                 // voiced stops
    F, S, SH, SCH, H,        // voiceless fricatives
    V, Z, ZH,                // voiced fricatives
    TS, CH,                  // affricates
    M, N,                    // nasals
    L, R,                    // liquids
};

enum class PhoneClass : uint8_t { vowel, glide, stop, voiced_stop, fricative, voiced_fricative, affricate, nasal, liquid };

// Targets of one phoneme, for the base (first male) voice.
struct PhoneShape {
    PhoneClass kind;
    float formants[3];  // Hz; the vocal tract shape the sound is made with
    float voicing;      // voiced source amplitude
    float frication;    // noise amplitude
    float noise_hz;     // centre of the noise band (or of the release burst)
    float noise_bw;     // width of the noise band, Hz
    float ms;           // duration at the normal rate
};

const PhoneShape& shape_of(Phone phone);

inline bool is_vowel(Phone phone) { return shape_of(phone).kind == PhoneClass::vowel; }

}  // namespace velnor::formant
