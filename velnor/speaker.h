#pragma once
// Turns the phonemes of the text into timed, pitched sound segments and plays
// them: durations from the rate, the pitch contour inside the set range,
// pauses at punctuation.
#include "velnor/engine_state.h"
#include "velnor/formant_synth.h"
#include "velnor/text_reader.h"

namespace vl::velnor {

// Duration factor of a speed step and tempo: 1 at step 7, tempo 90; step 0 is
// the slowest, then 7 down to 1; a higher tempo is faster.
float duration_factor(int32_t speed_step, int32_t tempo);

class Speaker final : public PhoneSink {
public:
    Speaker(const SpeechSettings& settings, uint32_t seed, BlockOutput& out);

    void word(Break ending) override;
    void phone(Phone phone, bool stressed) override;
    void pause(Break kind) override;
    bool stopped() const override { return out_.stopped(); }

private:
    void play(Segment& segment, float ms);
    float vowel_pitch(bool stressed);
    Segment shaped(const PhoneShape& shape) const;

    BlockOutput& out_;
    FormantSynth synth_;
    float low_hz_, high_hz_;
    float factor_;
    int32_t pause_;
    Break ending_ = Break::none;
    int vowels_in_phrase_ = 0;
    bool stress_passed_ = false;  // the stressed vowel of the current word has been said
    float f0_;
};

}  // namespace vl::velnor
