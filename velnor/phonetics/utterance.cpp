#include "velnor/phonetics/utterance.h"

#include <span>
#include <string>

#include "velnor/number_words.h"
#include "velnor/phonetics/letters.h"
#include "velnor/phonetics/pronounce.h"
#include "velnor/phonetics/spelling.h"
#include "velnor/phonetics/word_stress.h"

namespace velnor {
namespace {

// A phrase without punctuation ends after this many words, so that the first
// sound of a long unpunctuated text is not held back by all of it.
constexpr size_t kMaxPhraseWords = 40;

bool is_digit(uint8_t c) { return c >= '0' && c <= '9'; }

uint8_t byte_at(std::string_view text, size_t at) { return at < text.size() ? static_cast<uint8_t>(text[at]) : 0; }

// A byte inside a word: a letter, a stress mark, or a hyphen or apostrophe
// between two letters.
bool in_word(std::string_view text, size_t at) {
    const uint8_t c = byte_at(text, at);
    if (is_letter(c) || c == '+') return true;
    if (c != '-' && c != '\'' && c != 0x92) return false;
    return at > 0 && is_letter(byte_at(text, at - 1)) && is_letter(byte_at(text, at + 1));
}

// The phrase end that a punctuation byte makes, ranked: none < comma <
// statement < exclamation < question.
PhraseEnd end_of(std::string_view text, size_t at) {
    switch (byte_at(text, at)) {
    case ',': case ';': case ':': case '(': case ')': case 0x96: case 0x97: return PhraseEnd::comma;
    case '-': return PhraseEnd::comma;  // a hyphen inside a word never gets here
    case '.': case 0x85: return PhraseEnd::statement;
    case '!': return PhraseEnd::exclamation;
    case '?': return PhraseEnd::question;
    default: return PhraseEnd::none;
    }
}

int rank(PhraseEnd end) {
    switch (end) {
    case PhraseEnd::none: return 0;
    case PhraseEnd::comma: return 1;
    case PhraseEnd::statement: return 2;
    case PhraseEnd::exclamation: return 3;
    case PhraseEnd::question: return 4;
    }
    return 0;
}

// One word as spelled in the text: its letters in the rules' form ("+" before
// the stressed vowel) and as the lexicon keys them (no marks, no hyphens).
struct WordLetters {
    std::string spelled;
    std::string bare;
    bool marked = false;
};

// The text's stress mark follows the stressed vowel; one after a consonant
// (or at the start) is taken to stand before the vowel it stresses.
WordLetters letters_of(std::string_view word) {
    WordLetters out;
    for (const char c : word) {
        if (c == '+') {
            out.marked = true;
            const bool after_vowel = !out.spelled.empty() && is_russian_vowel(static_cast<uint8_t>(out.spelled.back()));
            out.spelled.insert(after_vowel ? out.spelled.size() - 1 : out.spelled.size(), 1, '+');
        } else if (c == '-') {
            out.spelled += c;  // the lexicon keys words without their hyphens
        } else if (c == '\'' || static_cast<uint8_t>(c) == 0x92) {
            out.spelled += static_cast<char>(cp1251_letter("ъ"));  // the Ukrainian apostrophe parts like ъ
        } else {
            const size_t before = out.spelled.size();
            append_russian(static_cast<uint8_t>(c), out.spelled);
            out.bare.append(out.spelled, before);
        }
    }
    return out;
}

// Appends the sounds of one word, stressed; false when it has none.
bool read_word(std::string_view word, uint16_t index, const Lexicon* lexicon, std::vector<Sound>& out) {
    const WordLetters letters = letters_of(word);
    const size_t first = out.size();
    spell_word(letters.spelled, index, out);
    if (out.size() == first) return false;
    std::span<Sound> sounds(out.data() + first, out.size() - first);
    stress_word(sounds, letters.bare, letters.marked, lexicon);
    sounds.back().word_end = true;
    return true;
}

// The end of the number or word that starts at `at`. A run of digits longer
// than a number is read digit by digit, each digit a token of its own.
size_t token_end(std::string_view text, size_t at) {
    if (!is_digit(byte_at(text, at))) {
        while (in_word(text, at)) ++at;
        return at;
    }
    if (at > 0 && is_digit(byte_at(text, at - 1))) return at + 1;
    size_t end = at;
    while (is_digit(byte_at(text, end))) ++end;
    return end - at <= vl::velnor::kMaxNumberDigits ? end : at + 1;
}

bool starts_token(std::string_view text, size_t at) { return is_digit(byte_at(text, at)) || in_word(text, at); }

// Calls `each` with the words a token is read as: a number's words, or the word itself.
template <typename Each>
void for_each_word(std::string_view token, Each&& each) {
    if (!is_digit(static_cast<uint8_t>(token[0]))) {
        each(token);
        return;
    }
    const std::string words = vl::velnor::number_words(token);
    std::string_view rest = words;
    while (!rest.empty()) {
        const size_t blank = rest.find(' ');
        if (blank != 0) each(rest.substr(0, blank));
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
}

}  // namespace

PhraseReader::PhraseReader(std::string_view text, const Lexicon* lexicon) : text_(text), lexicon_(lexicon) {}

std::optional<Phrase> PhraseReader::next() {
    std::vector<Sound> sounds;
    Phrase phrase;
    while (position_ < text_.size()) {
        // Punctuation and blanks up to the next word end the phrase if it has words.
        PhraseEnd end = PhraseEnd::none;
        size_t at = position_;
        while (at < text_.size() && !starts_token(text_, at)) {
            if (rank(end_of(text_, at)) > rank(end)) end = end_of(text_, at);
            ++at;
        }
        if (!phrase.words.empty() && (end != PhraseEnd::none || phrase.words.size() >= kMaxPhraseWords)) {
            phrase.end = end;
            break;
        }
        position_ = at;
        if (at >= text_.size()) break;
        const size_t token_start = at;
        position_ = token_end(text_, at);
        for_each_word(text_.substr(token_start, position_ - token_start), [&](std::string_view word) {
            const auto index = static_cast<uint16_t>(phrase.words.size());
            if (read_word(word, index, lexicon_, sounds))
                phrase.words.push_back({static_cast<uint32_t>(token_start)});
        });
    }
    if (phrase.words.empty()) return std::nullopt;
    pronounce_phrase(sounds, stress_follows(phrase.end));
    phrase.phones.reserve(sounds.size());
    for (const Sound& s : sounds) phrase.phones.push_back({s.phone, s.word});
    return phrase;
}

// Within a sentence a phrase's last syllable reduces as one before the stress
// when the next syllable is a stressed one. A dash between them stands for an
// unstressed syllable (a pause of its own).
bool PhraseReader::stress_follows(PhraseEnd end) const {
    if (rank(end) > rank(PhraseEnd::comma)) return false;
    size_t at = position_;
    std::vector<Sound> sounds;
    while (at < text_.size()) {
        if (!starts_token(text_, at)) {
            const uint8_t c = byte_at(text_, at);
            if (rank(end_of(text_, at)) > rank(PhraseEnd::comma) || c == '-' || c == 0x96 || c == 0x97) return false;
            ++at;
            continue;
        }
        const size_t end_at = token_end(text_, at);
        uint16_t index = 0;
        for_each_word(text_.substr(at, end_at - at),
                      [&](std::string_view word) { read_word(word, index++, lexicon_, sounds); });
        // The first word's first syllable: a word without a vowel is an unstressed one.
        if (!sounds.empty()) {
            for (const Sound& s : sounds)
                if (is_vowel(s.phone) && s.word == sounds.front().word) return s.stressed;
            return false;
        }
        at = end_at;
    }
    return false;
}

}  // namespace velnor
