// Stand-in until the reading of text is merged: the text is the phone names
// themselves, blank-separated; "," "." "?" "!" end a phrase; "|" starts a word.
#include <sstream>

#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/utterance.h"

namespace velnor {

std::vector<uint8_t> build_lexicon(std::vector<LexiconEntry>) { return {}; }
Lexicon::Lexicon(std::span<const uint8_t> image) : image_(image), valid_(true) {}
std::optional<uint8_t> Lexicon::stressed_vowel(std::string_view) const { return std::nullopt; }

PhraseReader::PhraseReader(std::string_view text, const Lexicon* lexicon) : text_(text), lexicon_(lexicon) {}

std::optional<Phrase> PhraseReader::next() {
    Phrase phrase;
    while (position_ < text_.size()) {
        while (position_ < text_.size() && text_[position_] == ' ') ++position_;
        const size_t start = position_;
        while (position_ < text_.size() && text_[position_] != ' ') ++position_;
        const std::string_view token = text_.substr(start, position_ - start);
        if (token.empty()) break;
        PhraseEnd end = PhraseEnd::none;
        if (token == ",") end = PhraseEnd::comma;
        else if (token == ".") end = PhraseEnd::statement;
        else if (token == "?") end = PhraseEnd::question;
        else if (token == "!") end = PhraseEnd::exclamation;
        else if (token == "|" || phrase.words.empty()) phrase.words.push_back({static_cast<uint32_t>(start)});
        if (end != PhraseEnd::none) {
            if (phrase.phones.empty()) continue;
            phrase.end = end;
            return phrase;
        }
        if (const auto p = phone_by_name(token); p && *p != kPause)
            phrase.phones.push_back({*p, static_cast<uint16_t>(phrase.words.size() - 1)});
    }
    if (phrase.phones.empty()) return std::nullopt;
    return phrase;
}

}  // namespace velnor
