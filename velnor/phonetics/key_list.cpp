#include "velnor/phonetics/key_list.h"

#include <cstring>
#include <string>

#include "velnor/phonetics/lexicon_format.h"

namespace velnor {
namespace {

using lexicon_format::kBlockKeys;

// Walks the entries of one block, every read checked against the data's end.
class BlockWalk {
public:
    BlockWalk(std::span<const uint8_t> data, size_t offset) : data_(data), at_(offset) {}

    // Reads the next entry into key() and value(); false at malformed bytes.
    bool next() {
        if (at_ + 2 > data_.size()) return false;
        const size_t shared = data_[at_];
        const size_t length = data_[at_ + 1];
        if (shared > length_ || shared + length > sizeof key_ || at_ + 3 + length > data_.size()) return false;
        std::memcpy(key_ + shared, data_.data() + at_ + 2, length);
        length_ = shared + length;
        value_ = data_[at_ + 2 + length];
        at_ += 3 + length;
        return true;
    }
    std::string_view key() const { return {key_, length_}; }
    uint8_t value() const { return value_; }
    size_t offset() const { return at_; }

private:
    std::span<const uint8_t> data_;
    size_t at_;
    char key_[255] = {};
    size_t length_ = 0;
    uint8_t value_ = 0;
};

}  // namespace

uint32_t read_u32(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool KeyList::open(std::span<const uint8_t> image, size_t& at, uint32_t keys, uint32_t blocks, uint32_t data_size) {
    const uint64_t size = 4ull * blocks + data_size;
    if (blocks != (static_cast<uint64_t>(keys) + kBlockKeys - 1) / kBlockKeys || at > image.size() ||
        size > image.size() - at)
        return false;
    index_ = image.subspan(at, 4ull * blocks);
    data_ = image.subspan(at + 4ull * blocks, data_size);
    keys_ = keys;
    blocks_ = blocks;
    at += size;
    if (check()) return true;
    *this = KeyList();
    return false;
}

uint32_t KeyList::keys_in(uint32_t block) const { return block + 1 < blocks_ ? kBlockKeys : keys_ - block * kBlockKeys; }

// Every block starts where the index says and holds its keys in strictly
// increasing order, the first one whole; the last block ends at the data's end.
bool KeyList::check() const {
    size_t at = 0;
    std::string previous;
    for (uint32_t b = 0; b < blocks_; ++b) {
        if (read_u32(index_, 4 * b) != at) return false;
        BlockWalk walk(data_, at);
        for (uint32_t i = 0; i < keys_in(b); ++i) {
            if (!walk.next() || walk.key().empty()) return false;
            if ((b > 0 || i > 0) && !(std::string_view(previous) < walk.key())) return false;
            previous = walk.key();
        }
        at = walk.offset();
    }
    return at == data_.size();
}

std::string_view KeyList::first_key(uint32_t block) const {
    const size_t at = read_u32(index_, 4 * block);
    return {reinterpret_cast<const char*>(data_.data() + at + 2), data_[at + 1]};
}

std::optional<uint8_t> KeyList::find(std::string_view key) const {
    if (blocks_ == 0 || key.empty() || key.size() > 255) return std::nullopt;
    // The last block whose first key is not after the key.
    uint32_t low = 0, high = blocks_;
    while (high - low > 1) {
        const uint32_t middle = low + (high - low) / 2;
        if (first_key(middle) <= key) low = middle;
        else high = middle;
    }
    if (first_key(low) > key) return std::nullopt;
    BlockWalk walk(data_, read_u32(index_, 4 * low));
    for (uint32_t i = 0; i < keys_in(low) && walk.next(); ++i) {
        if (walk.key() == key) return walk.value();
        if (walk.key() > key) break;
    }
    return std::nullopt;
}

}  // namespace velnor
