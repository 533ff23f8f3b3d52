#include "engine/synthesis_turn.h"

#include <chrono>
#include <thread>

#include "engine/speak_request.h"

namespace vl {
namespace {

constexpr std::chrono::milliseconds kRetry{2};

}  // namespace

// A waiting request asks again every few milliseconds, and its sink in
// between. (No condition variable: under Wine two of them first used at once
// on two threads crash the process.)
bool SynthesisLock::acquire(OutputSink& sink) {
    while (!busy_.try_lock()) {
        if ((sink.get_actions() & kActionAbort) != 0) return false;
        std::this_thread::sleep_for(kRetry);
    }
    return true;
}

void SynthesisLock::acquire() { busy_.lock(); }

void SynthesisLock::release() { busy_.unlock(); }

}  // namespace vl
