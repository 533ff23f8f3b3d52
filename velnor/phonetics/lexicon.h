#pragma once
// The main stress dictionary: which vowel of a word is stressed. Built once
// into a compact, deterministic image (stored in the voice file) and read in
// place from it: no copy, the whole image checked when opened.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "velnor/phonetics/key_list.h"

namespace velnor {

// How a word is stressed.
struct WordStress {
    uint8_t vowel = 0;           // the stressed vowel counted from 1 (at most 63); 0: no stress of its own
    bool e_as_o = false;         // its letters е are read as о (ё written without its dots)
    bool function_word = false;  // a preposition, conjunction or particle: its last consonant
                                 // takes the voicing of the next word's first

    bool operator==(const WordStress&) const = default;
};

struct LexiconEntry {
    std::string word;  // lower-case letters in code page 1251 (ё as 0xB8), no hyphens
    WordStress stress;
};

// The image of the entries: deterministic bytes. Where a word comes more than
// once (one entry per part of speech) the first one given is kept. Entries
// with an empty word, a word of more than 255 bytes, a byte below 0x80, or a
// vowel number above 63 are left out. With the words go their endings: for
// each ending of up to 7 letters that at least 3 words share, how many vowels
// most of them have after the stressed one, for words the lexicon lacks.
std::vector<uint8_t> build_lexicon(std::vector<LexiconEntry> entries);

class Lexicon {
public:
    // A view over the bytes of an image (inside the mapped voice file): they
    // must outlive the lexicon. An image that fails its checks is refused:
    // valid() is then false and no word is found.
    explicit Lexicon(std::span<const uint8_t> image);

    bool valid() const { return valid_; }
    size_t size() const { return words_.size(); }  // number of words

    // The stress of a lower-case word, nothing when the word is not in it.
    std::optional<WordStress> find(std::string_view word) const;

    // For a word it lacks: the vowels after the stressed one in most words
    // with the longest ending it shares with them; nothing when none.
    std::optional<uint8_t> vowels_after_stress(std::string_view word) const;

private:
    KeyList words_;
    KeyList endings_;
    bool valid_ = false;
};

}  // namespace velnor
