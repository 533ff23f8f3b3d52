#pragma once
// The text given to synth_speak (code page 1251, zero-terminated, "+" after a
// stressed vowel) read as phrases of the voice's phones, one phrase at a time,
// so that the first can be spoken before the rest of the text is read.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "velnor/phonetics/phone_set.h"

namespace velnor {

class Lexicon;

// The punctuation that ends a phrase; none at the end of a text without any.
enum class PhraseEnd : uint8_t { none, comma, statement, question, exclamation };

struct SpokenPhone {
    PhoneId phone;
    uint16_t word;  // index into Phrase::words
};

struct SpokenWord {
    uint32_t text_offset;  // byte offset of the word in the text given to synth_speak
};

// One phrase: no pau inside (pauses go between phrases). A clitic (a preposition
// or a particle) is its own SpokenWord but is pronounced as part of its host word.
struct Phrase {
    std::vector<SpokenPhone> phones;
    std::vector<SpokenWord> words;
    PhraseEnd end = PhraseEnd::none;
};

class PhraseReader {
public:
    // lexicon null: the main stress dictionary is switched off; stress then comes
    // from the text's marks and the rules alone. Neither is copied: both must
    // outlive the reader.
    PhraseReader(std::string_view text, const Lexicon* lexicon);

    // The next phrase with at least one phone; nothing once the text is read.
    std::optional<Phrase> next();

private:
    bool stress_follows(PhraseEnd end) const;

    std::string_view text_;
    const Lexicon* lexicon_;
    size_t position_ = 0;
};

}  // namespace velnor
