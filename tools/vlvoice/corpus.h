#pragma once
// The recordings of a festvox voice folder, one utterance at a time: its audio
// at the voice's sample rate, its phone labels and its pitch marks with the
// mel cepstrum measured at each.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vl::voice_tool {

struct LabelledPhone {
    uint8_t phone;
    double end_seconds;
};

struct CepstrumFrame {
    double seconds;                // a pitch mark
    std::array<float, 12> values;  // mel cepstrum at it
};

// An utterance of the corpus and how its sentence ends.
struct CorpusEntry {
    std::string name;
    bool question;  // its text ends in a question mark
};

struct Utterance {
    std::string name;
    bool question = false;
    std::vector<int16_t> audio;  // at 10,000 Hz
    std::vector<LabelledPhone> phones;
    std::vector<CepstrumFrame> frames;
};

// The utterances listed in etc/txt.done.data, in its order.
std::vector<CorpusEntry> corpus_entries(const std::string& voice_dir);

// Reads wav/NAME.wav (16-bit mono PCM), lab/NAME.lab and mcep/NAME.mcep (an EST
// binary track); throws std::runtime_error naming the file at any fault.
Utterance read_utterance(const std::string& voice_dir, const CorpusEntry& entry);

}  // namespace vl::voice_tool
