#include "engine/wake_signal.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vl {

#if defined(_WIN32)

// Without an event the waiter still looks again after each patience.
WakeSignal::WakeSignal() : event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

WakeSignal::~WakeSignal() {
    if (event_ != nullptr) CloseHandle(event_);
}

void WakeSignal::raise() {
    if (event_ != nullptr) SetEvent(event_);
}

bool WakeSignal::wait_for(std::chrono::milliseconds patience) {
    if (event_ == nullptr) {
        Sleep(static_cast<DWORD>(patience.count()));
        return false;
    }
    return WaitForSingleObject(event_, static_cast<DWORD>(patience.count())) == WAIT_OBJECT_0;
}

#else

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

#endif

}  // namespace vl
