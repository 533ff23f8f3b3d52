#include "platform/wake_signal.h"

namespace vl {

WakeSignal::WakeSignal() = default;
WakeSignal::~WakeSignal() = default;

void WakeSignal::raise() {
    {
        std::lock_guard lock(mutex_);
        raised_ = true;
    }
    changed_.notify_one();
}

bool WakeSignal::wait_for(std::chrono::milliseconds patience) {
    std::unique_lock lock(mutex_);
    const bool raised = changed_.wait_for(lock, patience, [this] { return raised_; });
    raised_ = false;
    return raised;
}

}  // namespace vl
