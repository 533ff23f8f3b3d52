#pragma once
// Ownership of the named mutex "VelnorSAPI" while writing the files that the
// configurer and the engines all rewrite (prefs.ini, pronunc.dic, the user
// dictionaries), so that one party's read-change-write never overwrites
// another's write that landed in between. The mutex is created when no one
// holds it yet; engines that find it meanwhile reload, which is harmless.
#include <chrono>
#include <optional>
#include <string_view>

#include "platform/named_mutex.h"
#include "platform/reload_signal.h"

namespace vl {

// Long enough for any party's writes, short enough that a stalled peer does
// not stall a voice set-up noticeably.
inline constexpr std::chrono::milliseconds kSharedFilesWait{1000};

class SharedFilesLock {
public:
    explicit SharedFilesLock(std::u16string_view name = reload_mutex_name,
                             std::chrono::milliseconds wait = kSharedFilesWait);
    SharedFilesLock(const SharedFilesLock&) = delete;
    SharedFilesLock& operator=(const SharedFilesLock&) = delete;
    // Releases the mutex (when owned) and closes the handle.
    ~SharedFilesLock();

    // False when the mutex could not be had within the wait: the holder must
    // then not rewrite shared files it read.
    bool owned() const { return owned_; }

private:
    std::optional<NamedMutex> mutex_;
    bool owned_ = false;
};

}  // namespace vl
