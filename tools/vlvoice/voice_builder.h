#pragma once
// Gathers the recordings into the voice file: the stretches of speech between
// pauses, each phone's spectrum pulled toward its context's mean, mu-law coded,
// cut into phone units with their pitch marks and the features unit selection
// compares.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/vlvoice/corpus.h"
#include "velnor/voice/voice_format.h"

namespace vl::voice_tool {

class VoiceBuilder {
public:
    void add(const Utterance& utterance);
    // The file's bytes, with the stress lexicon image beside the units.
    std::vector<uint8_t> finish(const std::vector<uint8_t>& lexicon) const;

    size_t unit_count() const { return units_.size(); }
    size_t sample_count() const { return audio_.size(); }

private:
    void add_run(const Utterance& u, size_t first, size_t last, uint8_t ending);

    std::vector<velnor::Unit> units_;
    std::vector<uint32_t> marks_;
    struct Run {
        size_t begin, end;  // of audio_
    };
    std::vector<uint8_t> coded_samples() const;

    std::vector<float> audio_;
    std::vector<Run> runs_;
    std::vector<float> vowel_pitch_;  // every voiced period of the vowels, for the speaker's range
};

}  // namespace vl::voice_tool
