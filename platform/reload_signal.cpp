#include "platform/reload_signal.h"

#include <thread>

#include "platform/named_mutex.h"

namespace vl {
namespace {

// How long a signaller waits for engines still finishing their reload.
constexpr std::chrono::milliseconds kReloadWait{2000};

}  // namespace

bool signal_engines(std::u16string_view name, std::chrono::milliseconds grace) {
    std::optional<NamedMutex> mutex = NamedMutex::create(name);
    if (!mutex) return false;
    std::this_thread::sleep_for(grace);
    if (mutex->lock()) mutex->unlock();
    mutex->wait_until_last_handle(kReloadWait);
    return true;
}

}  // namespace vl
