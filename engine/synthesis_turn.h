#pragma once
// The synthesis library holds one set of settings and one callback context for
// the whole process, so the requests of all voice objects take it one at a
// time: a request takes its turn at its start and keeps it until its
// synthesis has ended.
#include <mutex>

namespace vl {

class OutputSink;

class SynthesisLock {
public:
    // Waits for the library. A request's wait ends early, without the turn, as
    // soon as its sink asks for an abort (a purge of the waiting request).
    bool acquire(OutputSink& sink);
    // Set-up's wait: it has no sink to abort it.
    void acquire();
    // By the thread that acquired.
    void release();

private:
    std::mutex busy_;  // held by the request (or set-up) whose turn it is
};

// One request's turn, given back when it goes out of scope.
class SynthesisTurn {
public:
    SynthesisTurn(SynthesisLock& lock, OutputSink& sink) : lock_(lock), taken_(lock.acquire(sink)) {}
    explicit SynthesisTurn(SynthesisLock& lock) : lock_(lock), taken_(true) { lock.acquire(); }
    SynthesisTurn(const SynthesisTurn&) = delete;
    SynthesisTurn& operator=(const SynthesisTurn&) = delete;
    ~SynthesisTurn() {
        if (taken_) lock_.release();
    }
    // False when the request was aborted while it waited.
    explicit operator bool() const { return taken_; }

private:
    SynthesisLock& lock_;
    const bool taken_;
};

}  // namespace vl
