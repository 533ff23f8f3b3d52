#pragma once
// Takes values one after another from fuzz input; past its end every value is 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vl::fuzz {

class FuzzReader {
public:
    FuzzReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    template <typename T>
    T take() {
        T value{};
        const size_t count = std::min(sizeof value, size_ - used_);
        std::memcpy(&value, data_ + used_, count);
        used_ += count;
        return value;
    }
    // The next length bytes at most, as they are.
    std::string_view bytes(size_t length) {
        length = std::min(length, size_ - used_);
        const std::string_view taken(reinterpret_cast<const char*>(data_ + used_), length);
        used_ += length;
        return taken;
    }
    std::string_view rest() { return bytes(size_ - used_); }
    bool empty() const { return used_ == size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t used_ = 0;
};

}  // namespace vl::fuzz
