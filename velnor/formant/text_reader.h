#pragma once
// Reads the engine's 8-bit text (code page 1251) as a stream of phonemes, word
// by word, so that sound can start before the rest of the text is looked at.
#include "velnor/formant/phones.h"

namespace velnor::formant {

// Punctuation between words, weakest first.
enum class Break : uint8_t { none, comma, sentence, question };

class PhoneSink {
public:
    virtual ~PhoneSink() = default;
    // A word begins; `ending` is the punctuation that follows it.
    virtual void word(Break ending) = 0;
    virtual void phone(Phone phone, bool stressed) = 0;
    // Punctuation between two words, or after the last one.
    virtual void pause(Break kind) = 0;
    // True once the listener has asked to stop; reading ends at the next word.
    virtual bool stopped() const = 0;
};

// Letters (Russian, the Ukrainian і ї є ґ, Latin), "+" after a stressed vowel,
// digit runs read as numbers, punctuation as pauses; everything else separates words.
void read_text(const char* text, PhoneSink& sink);

}  // namespace velnor::formant
