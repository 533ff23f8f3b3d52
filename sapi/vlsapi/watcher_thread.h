#pragma once
// The settings watcher of the library. While its thread runs it holds a
// reference to the library's module, so the library cannot be unmapped under
// it even when a host frees the library without asking DllCanUnloadNow.
//
// Nothing here waits under the loader lock: the library's entry point only
// starts the watcher or tells it to stop; stop_watcher, which waits for the
// thread's end, runs from DllCanUnloadNow.
namespace vl::sapi {

// Starts the watcher unless it is running.
void start_watcher();
// Asks the watcher to end, without waiting.
void tell_watcher_to_stop() noexcept;
// Asks the watcher to end, waits until it has and drops its module reference.
void stop_watcher();
// True while a started watcher has not been stopped.
bool watcher_running();

}  // namespace vl::sapi
