#pragma once
// A small cascade formant synthesiser: a glottal pulse train and a noise source
// shaped by three vocal-tract resonators plus a noise-band resonator.
#include <cstdint>

#include "velnor/block_output.h"

namespace velnor::formant {

inline constexpr float kSampleRate = 10000.0f;

// What makes one voice sound unlike another, apart from its pitch.
struct Timbre {
    float formant_scale;    // vocal tract length
    float bandwidth_scale;  // damping of the resonances
    float tilt;             // 0..1: the higher, the darker the glottal source
    float breath;           // noise mixed into voiced sound
    float loudness;         // evens out the level of the voices
};

const Timbre& timbre_of(int voice);

// A stretch of sound with steady targets; the synthesiser glides into them.
struct Segment {
    float formants[3] = {500, 1500, 2500};
    float voicing = 0;
    float frication = 0;
    float noise_hz = 3000;
    float noise_bw = 1000;
    float aspiration = 0;
    float f0 = 100;
    int samples = 0;
    bool abrupt = false;  // amplitudes jump to their targets (a stop's release)
    bool trill = false;   // voicing beats like a rolled "р"
};

class FormantSynth {
public:
    FormantSynth(const Timbre& timbre, uint32_t seed);
    // Renders one segment; returns false once the output has stopped.
    bool render(const Segment& segment, BlockOutput& out);

private:
    struct Resonator {
        float a = 0, b = 0, c = 0, y1 = 0, y2 = 0;
        float step(float x) {
            const float y = a * x + b * y1 + c * y2;
            y2 = y1;
            y1 = y;
            return y;
        }
    };

    void update_frame(const Segment& target);
    float noise_centre(const Segment& target) const;
    void synthesize(float* samples, int count);

    Timbre timbre_;
    uint32_t rng_;
    uint32_t clock_ = 0;      // samples made, for the trill
    int frame_left_ = 0;      // samples until the next parameter update
    float formants_[3] = {500, 1500, 2500};
    float voicing_ = 0, frication_ = 0, aspiration_ = 0, noise_hz_ = 3000, noise_bw_ = 1000, f0_ = 0;
    float trill_gain_ = 1;
    float phase_ = 0, glottal_ = 0, last_noise_ = 0;
    float tuned_hz_ = 0, tuned_bw_ = 0;
    float tract_radius_[3];
    Resonator tract_[3];
    Resonator upper_;
    Resonator noise_band_;
};

}  // namespace velnor::formant
