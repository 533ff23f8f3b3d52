#pragma once
// A process-wide value that readers take as one immutable snapshot while a
// writer publishes a whole new value: a reader never sees a half-built table.
// The lock covers only the copy or swap of the pointer. (GCC 12's
// std::atomic<std::shared_ptr> releases its inner lock with relaxed order,
// which lets a load race with the next store.)
#include <memory>
#include <mutex>

namespace vl {

template <typename T>
class Published {
public:
    Published() : value_(std::make_shared<const T>()) {}

    std::shared_ptr<const T> get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    void publish(std::shared_ptr<const T> value) {
        std::lock_guard lock(mutex_);
        value_.swap(value);
    }
    void publish(T value) { publish(std::make_shared<const T>(std::move(value))); }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const T> value_;
};

}  // namespace vl
