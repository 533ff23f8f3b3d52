#pragma once
// The main stress dictionary: which vowel of a word is stressed. Built once
// into a compact, deterministic image (stored in the voice file) and read in
// place from it: no copy, every offset checked against the image's size.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velnor {

struct LexiconEntry {
    std::string word;        // lower-case letters in code page 1251 (ё as 0xB8)
    uint8_t stressed_vowel;  // the stressed vowel counted from 1; 0: the word has no stress of its own
};

// The image of the entries: deterministic bytes. Where a word comes more than
// once (one entry per part of speech) the first one given is kept. Entries
// with an empty word, a word of more than 255 bytes or a byte below 0x80 are left out.
std::vector<uint8_t> build_lexicon(std::vector<LexiconEntry> entries);

class Lexicon {
public:
    // A view over the bytes of an image (inside the mapped voice file): they
    // must outlive the lexicon. An image that fails its checks is refused:
    // valid() is then false and no word is found.
    explicit Lexicon(std::span<const uint8_t> image);

    bool valid() const { return valid_; }
    size_t size() const { return count_; }  // number of words

    // The entry's stressed_vowel for a lower-case word, nothing when the word is not in it.
    std::optional<uint8_t> stressed_vowel(std::string_view word) const;

private:
    std::span<const uint8_t> image_;
    uint32_t count_ = 0;
    bool valid_ = false;
};

}  // namespace velnor
