#pragma once
// The synthesis library holds one set of settings and one callback context for
// the whole process, so the voices take turns at it, first come first served.
// A turn lasts one library call (a segment's synthesis, or set-up's few
// settings) and never an audio write, so a voice whose output blocks holds no
// other voice back.
#include <cstdint>
#include <deque>
#include <mutex>

namespace vl {

class OutputSink;

class SynthesisLock {
public:
    // Waits for the library behind those who came first. A request's wait ends
    // early, without the turn, as soon as its sink asks for an abort (a purge
    // of the waiting request).
    bool acquire(OutputSink& sink);
    // Set-up's wait: it has no sink to abort it.
    void acquire();
    void release();  // from any thread: a segment's turn ends on the thread the library speaks on

private:
    bool take_if_first(uint64_t ticket);
    template <typename GiveUp>
    bool wait(GiveUp give_up);

    std::mutex mutex_;  // guards the fields below, never held while waiting
    bool busy_ = false;
    uint64_t next_ticket_ = 0;
    std::deque<uint64_t> waiting_;  // tickets in the order they were drawn
};

// Set-up's turn, given back when it goes out of scope. (A segment's turn is
// taken by its request and given back by the thread the library speaks on.)
class SynthesisTurn {
public:
    explicit SynthesisTurn(SynthesisLock& lock) : lock_(lock) { lock.acquire(); }
    SynthesisTurn(const SynthesisTurn&) = delete;
    SynthesisTurn& operator=(const SynthesisTurn&) = delete;
    ~SynthesisTurn() { lock_.release(); }

private:
    SynthesisLock& lock_;
};

}  // namespace vl
