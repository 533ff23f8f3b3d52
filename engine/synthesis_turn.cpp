#include "engine/synthesis_turn.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/speak_request.h"

namespace vl {
namespace {

constexpr std::chrono::milliseconds kRetry{1};

}  // namespace

bool SynthesisLock::take_if_first(uint64_t ticket) {
    if (busy_ || waiting_.front() != ticket) return false;
    waiting_.pop_front();
    busy_ = true;
    return true;
}

// The waiter draws a ticket and looks again every millisecond whether its
// ticket is first and the library free, and whether it is to give up. (No
// condition variable: under Wine two of them first used at once on two
// threads crash the process.)
template <typename GiveUp>
bool SynthesisLock::wait(GiveUp give_up) {
    uint64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        if (!busy_ && waiting_.empty()) return busy_ = true;
        ticket = next_ticket_++;
        waiting_.push_back(ticket);
    }
    for (;;) {
        std::this_thread::sleep_for(kRetry);
        {
            std::lock_guard lock(mutex_);
            if (take_if_first(ticket)) return true;
        }
        if (give_up()) {
            // Only the ticket's owner takes its turn, so the ticket is still waiting.
            std::lock_guard lock(mutex_);
            waiting_.erase(std::find(waiting_.begin(), waiting_.end(), ticket));
            return false;
        }
    }
}

bool SynthesisLock::acquire(OutputSink& sink) {
    return wait([&sink] { return (sink.get_actions() & kActionAbort) != 0; });
}

void SynthesisLock::acquire() { wait([] { return false; }); }

void SynthesisLock::release() {
    std::lock_guard lock(mutex_);
    busy_ = false;
}

}  // namespace vl
