// Reads arbitrary 8-bit text into phrases of phones, with and without a small
// lexicon: every phrase has phones and words, no pause inside, each phone's
// word among the phrase's words and each word's offset inside the text.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/utterance.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<uint8_t> kImage = velnor::build_lexicon({
        {"\xE2", {0, false, true}}, {"\xE4\xEE\xEC", {1, false, false}}, {"\xE5\xF9\xE5", {2, true, false}},
        {"\xEC\xE0\xEC\xE0", {1, false, false}}, {"\xF7\xF2\xEE", {1, false, true}},
    });
    static const velnor::Lexicon kLexicon(kImage);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const velnor::Lexicon* lexicon : {&kLexicon, static_cast<const velnor::Lexicon*>(nullptr)}) {
        velnor::PhraseReader reader(text, lexicon);
        while (const std::optional<velnor::Phrase> phrase = reader.next()) {
            if (phrase->phones.empty() || phrase->words.empty()) __builtin_trap();
            for (const velnor::SpokenPhone& p : phrase->phones)
                if (p.phone == velnor::kPause || p.phone >= velnor::kPhoneNames.size() ||
                    p.word >= phrase->words.size())
                    __builtin_trap();
            for (const velnor::SpokenWord& w : phrase->words)
                if (w.text_offset >= size) __builtin_trap();
        }
    }
    return 0;
}
