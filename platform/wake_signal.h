#pragma once
// A signal one thread raises and another waits for, a while at most: raising
// it wakes the waiter, or the waiter's next wait if none waits yet.
#include <chrono>

#if !defined(_WIN32)
#include <condition_variable>
#include <mutex>
#endif

namespace vl {

class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    void raise();
    // True when it was raised within `patience`; the signal is down again after.
    bool wait_for(std::chrono::milliseconds patience);

private:
#if defined(_WIN32)
    // An event: under Wine two condition variables first used at once on two
    // threads crash the process.
    void* event_;  // a HANDLE
#else
    std::mutex mutex_;
    std::condition_variable changed_;
    bool raised_ = false;
#endif
};

}  // namespace vl
