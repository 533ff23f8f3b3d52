#pragma once
// A sorted list of keys with a byte each, read in place from a lexicon image
// (its layout in lexicon_format.h), every read checked against the image.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velnor {

class KeyList {
public:
    // The list that starts at `at` in the image, with the given counts; false
    // (and an empty list) when it does not fit or fails its checks. `at` moves past it.
    bool open(std::span<const uint8_t> image, size_t& at, uint32_t keys, uint32_t blocks, uint32_t data_size);

    std::optional<uint8_t> find(std::string_view key) const;
    uint32_t size() const { return keys_; }

private:
    bool check() const;
    std::string_view first_key(uint32_t block) const;
    uint32_t keys_in(uint32_t block) const;

    std::span<const uint8_t> index_;
    std::span<const uint8_t> data_;
    uint32_t keys_ = 0;
    uint32_t blocks_ = 0;
};

uint32_t read_u32(std::span<const uint8_t> bytes, size_t at);

}  // namespace velnor
