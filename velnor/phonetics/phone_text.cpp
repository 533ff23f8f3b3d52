#include "velnor/phonetics/phone_text.h"

#include "velnor/phonetics/utterance.h"

namespace velnor {

std::string phone_text(std::string_view text, const Lexicon* lexicon) {
    std::string out;
    PhraseReader reader(text, lexicon);
    while (std::optional<Phrase> phrase = reader.next()) {
        if (!out.empty() && out.back() != '\n') out += " pau ";
        for (size_t i = 0; i < phrase->phones.size(); ++i) {
            if (i > 0) out += ' ';
            out += kPhoneNames[phrase->phones[i].phone];
        }
        if (phrase->end != PhraseEnd::none && phrase->end != PhraseEnd::comma) out += '\n';
    }
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out;
}

}  // namespace velnor
