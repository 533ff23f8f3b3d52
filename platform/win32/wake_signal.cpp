#include "platform/wake_signal.h"

#include <windows.h>

namespace vl {

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

}  // namespace vl
