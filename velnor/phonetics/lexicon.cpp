#include "velnor/phonetics/lexicon.h"

#include <cstring>

#include "velnor/phonetics/lexicon_format.h"

namespace velnor {
namespace {

using namespace lexicon_format;

uint32_t u32_at(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Walks the entries of one block, every read checked against the data's end.
class BlockWalk {
public:
    BlockWalk(std::span<const uint8_t> data, size_t offset) : data_(data), at_(offset) {}

    // Reads the next entry into word() and value(); false at malformed bytes.
    bool next() {
        if (at_ + 2 > data_.size()) return false;
        const size_t shared = data_[at_];
        const size_t length = data_[at_ + 1];
        if (shared > length_ || shared + length > sizeof word_ || at_ + 3 + length > data_.size()) return false;
        std::memcpy(word_ + shared, data_.data() + at_ + 2, length);
        length_ = shared + length;
        value_ = data_[at_ + 2 + length];
        at_ += 3 + length;
        return true;
    }
    std::string_view word() const { return {word_, length_}; }
    uint8_t value() const { return value_; }
    size_t offset() const { return at_; }

private:
    std::span<const uint8_t> data_;
    size_t at_;
    char word_[255] = {};
    size_t length_ = 0;
    uint8_t value_ = 0;
};

}  // namespace

Lexicon::Lexicon(std::span<const uint8_t> image) : image_(image) {
    if (image.size() < kHeaderSize || std::memcmp(image.data(), kMagic, sizeof kMagic) != 0) return;
    if (u32_at(image, kVersionAt) != kVersion || u32_at(image, kBlockWordsAt) != kBlockWords) return;
    const uint64_t words = u32_at(image, kWordsAt);
    const uint64_t blocks = u32_at(image, kBlocksAt);
    const uint64_t data_size = u32_at(image, kDataSizeAt);
    if (blocks != (words + kBlockWords - 1) / kBlockWords) return;
    if (kHeaderSize + 4 * blocks + data_size != image.size()) return;
    count_ = static_cast<uint32_t>(words);
    blocks_ = static_cast<uint32_t>(blocks);
    index_ = image.subspan(kHeaderSize, 4 * blocks_);
    data_ = image.subspan(kHeaderSize + 4 * blocks_);
    valid_ = check();
    if (!valid_) count_ = blocks_ = 0;
}

// Every block starts where its index says and holds its words in strictly
// increasing order, the first one whole; the last block ends at the data's end.
bool Lexicon::check() const {
    size_t at = 0;
    std::string previous;
    for (uint32_t b = 0; b < blocks_; ++b) {
        if (u32_at(index_, 4 * b) != at) return false;
        BlockWalk walk(data_, at);
        const uint32_t in_block = b + 1 < blocks_ ? kBlockWords : count_ - b * kBlockWords;
        for (uint32_t i = 0; i < in_block; ++i) {
            if (!walk.next() || walk.word().empty()) return false;
            if (!(std::string_view(previous) < walk.word()) && !(b == 0 && i == 0)) return false;
            previous = walk.word();
        }
        at = walk.offset();
    }
    return at == data_.size();
}

std::string_view Lexicon::first_word(uint32_t block) const {
    const size_t at = u32_at(index_, 4 * block);
    return {reinterpret_cast<const char*>(data_.data() + at + 2), data_[at + 1]};
}

std::optional<WordStress> Lexicon::find(std::string_view word) const {
    if (!valid_ || word.empty() || word.size() > 255) return std::nullopt;
    // The last block whose first word is not after the word.
    uint32_t low = 0, high = blocks_;
    while (high - low > 1) {
        const uint32_t middle = low + (high - low) / 2;
        if (first_word(middle) <= word) low = middle;
        else high = middle;
    }
    if (blocks_ == 0 || first_word(low) > word) return std::nullopt;
    BlockWalk walk(data_, u32_at(index_, 4 * low));
    const uint32_t in_block = low + 1 < blocks_ ? kBlockWords : count_ - low * kBlockWords;
    for (uint32_t i = 0; i < in_block && walk.next(); ++i) {
        if (walk.word() == word)
            return WordStress{static_cast<uint8_t>(walk.value() & kVowelMask), (walk.value() & kEAsO) != 0,
                              (walk.value() & kFunctionWord) != 0};
        if (walk.word() > word) break;
    }
    return std::nullopt;
}

}  // namespace velnor
