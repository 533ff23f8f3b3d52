#pragma once
// Turns the phonemes of the text into timed, pitched sound segments and plays
// them: durations from the rate, the pitch contour inside the set range,
// pauses at punctuation.
#include "velnor/speech_settings.h"
#include "velnor/formant/formant_synth.h"
#include "velnor/formant/text_reader.h"

namespace velnor::formant {

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
    SpeechSettings settings_;
    Break ending_ = Break::none;
    int vowels_in_phrase_ = 0;
    bool stress_passed_ = false;  // the stressed vowel of the current word has been said
    float f0_;
};

}  // namespace velnor::formant
