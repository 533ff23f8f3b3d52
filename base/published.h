#pragma once
// A process-wide value that readers take as one immutable snapshot while a
// writer publishes a whole new value: a reader never sees a half-built table.
#include <atomic>
#include <memory>

namespace vl {

template <typename T>
class Published {
public:
    Published() : value_(std::make_shared<const T>()) {}

    std::shared_ptr<const T> get() const { return value_.load(std::memory_order_acquire); }
    void publish(std::shared_ptr<const T> value) { value_.store(std::move(value), std::memory_order_release); }
    void publish(T value) { publish(std::make_shared<const T>(std::move(value))); }

private:
    std::atomic<std::shared_ptr<const T>> value_;
};

}  // namespace vl
