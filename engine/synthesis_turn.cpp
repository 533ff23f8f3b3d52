#include "engine/synthesis_turn.h"

#include <chrono>

#include "engine/speak_request.h"

namespace vl {
namespace {

// How often a waiting request asks its sink whether it was aborted.
constexpr std::chrono::milliseconds kAbortPoll{5};

}  // namespace

bool SynthesisLock::acquire(OutputSink& sink) {
    std::unique_lock lock(mutex_);
    while (busy_) {
        lock.unlock();
        if ((sink.get_actions() & kActionAbort) != 0) return false;
        lock.lock();
        freed_.wait_for(lock, kAbortPoll, [this] { return !busy_; });
    }
    busy_ = true;
    return true;
}

void SynthesisLock::acquire() {
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [this] { return !busy_; });
    busy_ = true;
}

void SynthesisLock::release() {
    {
        std::lock_guard lock(mutex_);
        busy_ = false;
    }
    freed_.notify_one();
}

}  // namespace vl
