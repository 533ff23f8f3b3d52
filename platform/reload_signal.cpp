#include "platform/reload_signal.h"

#include <thread>

#include "platform/named_mutex.h"

namespace vl {

bool signal_engines(std::u16string_view name, std::chrono::milliseconds grace) {
    std::optional<NamedMutex> mutex = NamedMutex::create(name);
    if (!mutex) return false;
    std::this_thread::sleep_for(grace);
    if (mutex->lock()) mutex->unlock();
    return true;
}

}  // namespace vl
