#pragma once
// The reload signal between the configurer and the running engines.
#include <chrono>
#include <string_view>

namespace vl {

// The named mutex every engine's watcher looks for.
inline constexpr std::u16string_view reload_mutex_name = u"VelnorSAPI";

// The signaller's side: creates the mutex, waits grace, waits to own it, then
// releases and closes it. Engines that found the mutex during grace own it first,
// so this returns once they have finished their reload. False when the mutex can
// be neither created nor opened.
bool signal_engines(std::u16string_view name = reload_mutex_name,
                    std::chrono::milliseconds grace = std::chrono::milliseconds(250));

}  // namespace vl
