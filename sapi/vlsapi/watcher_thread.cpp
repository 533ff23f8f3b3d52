#include "sapi/vlsapi/watcher_thread.h"

#include <windows.h>

#include "engine/engine_state.h"
#include "engine/engine_watcher.h"
#include "platform/app_data.h"

namespace vl::sapi {
namespace {

// Never destroyed by the library's static destructors: they run under the
// loader lock, where joining a thread would hang.
SRWLOCK g_lock = SRWLOCK_INIT;
SettingsWatcher* g_watcher = nullptr;
HMODULE g_pinned = nullptr;

SettingsWatcher* make_watcher() { return make_engine_watcher(application_data_folder(), engine_state()).release(); }

}  // namespace

void start_watcher() {
    AcquireSRWLockExclusive(&g_lock);
    try {
        if (g_watcher == nullptr &&
            GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&make_watcher),
                               &g_pinned)) {
            g_watcher = make_watcher();
            if (g_watcher != nullptr) g_watcher->start();
        }
    } catch (...) {
        delete g_watcher;  // its thread did not start: nothing to join
        g_watcher = nullptr;
    }
    if (g_watcher == nullptr && g_pinned != nullptr) {
        FreeLibrary(g_pinned);
        g_pinned = nullptr;
    }
    ReleaseSRWLockExclusive(&g_lock);
}

void tell_watcher_to_stop() noexcept {
    AcquireSRWLockExclusive(&g_lock);
    if (g_watcher != nullptr) g_watcher->request_stop();
    ReleaseSRWLockExclusive(&g_lock);
}

void stop_watcher() {
    AcquireSRWLockExclusive(&g_lock);
    if (g_watcher != nullptr) {
        g_watcher->request_stop();
        g_watcher->join();
        delete g_watcher;
        g_watcher = nullptr;
        FreeLibrary(g_pinned);
        g_pinned = nullptr;
    }
    ReleaseSRWLockExclusive(&g_lock);
}

bool watcher_running() {
    AcquireSRWLockShared(&g_lock);
    const bool running = g_watcher != nullptr;
    ReleaseSRWLockShared(&g_lock);
    return running;
}

}  // namespace vl::sapi
