#pragma once
// A mutex shared between processes by name: the configurer's reload signal.
//
// It exists only while some process holds a handle to it: the signaller creates
// it, engines open it by name (never creating it), and it ends when the last
// handle is closed, also when a holder dies.
//
// Windows: the kernel's named mutex, made so that every process of the session
// may synchronise on it, whatever its user, elevation or integrity level. Elsewhere: a lock file in the user's
// runtime folder, kept with open-file-description locks: every handle holds a
// shared lock on byte 0 (so a handle that finds itself alone knows it is the
// last and removes the file), and owning the mutex is an exclusive lock on
// byte 1.
#include <chrono>
#include <memory>
#include <optional>
#include <string_view>

namespace vl {

class NamedMutex {
public:
    // Opens the mutex if it exists; nothing when it does not.
    static std::optional<NamedMutex> open_existing(std::u16string_view name);
    // Creates the mutex without owning it, or opens it when it exists already.
    // Nothing when it can be neither created nor opened.
    static std::optional<NamedMutex> create(std::u16string_view name);

    NamedMutex(NamedMutex&& other) noexcept;
    NamedMutex& operator=(NamedMutex&& other) noexcept;
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    // Closes this handle.
    ~NamedMutex();

    // Waits without time-out until this handle owns the mutex. False on failure.
    bool lock();
    // Waits at most timeout until this handle owns the mutex. False when it does
    // not own it by then, or on failure.
    bool try_lock_for(std::chrono::milliseconds timeout);
    void unlock();
    // Waits at most timeout until no other handle is open. Lock files grant
    // the lock in no set order, so a signaller waits here for the engines that
    // found its signal and may not have owned it yet; Windows queues the
    // waiters of a mutex and returns at once.
    void wait_until_last_handle(std::chrono::milliseconds timeout);

private:
    struct Handle;
    explicit NamedMutex(std::unique_ptr<Handle> handle);

    std::unique_ptr<Handle> handle_;
};

}  // namespace vl
