#include "engine/settings_watcher.h"

#include "engine/load_settings.h"
#include "platform/named_mutex.h"

namespace vl {

void reload_after_signal(const std::filesystem::path& data_folder, Settings& settings,
                         const UserDictionaryHooks& hooks) {
    load_settings(data_folder, settings);
    const std::function<void()>& hook = settings.use_dictionary.load() >= 2 ? hooks.reload : hooks.clear;
    if (hook) hook();
}

SettingsWatcher::SettingsWatcher(std::filesystem::path data_folder, Settings& settings, UserDictionaryHooks hooks,
                                 WatcherOptions options)
    : data_folder_(std::move(data_folder)), settings_(settings), hooks_(std::move(hooks)),
      options_(std::move(options)) {}

SettingsWatcher::~SettingsWatcher() {
    request_stop();
    join();
}

void SettingsWatcher::start() {
    if (thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stop_requested_ = false;
    }
    thread_ = std::thread([this] { run(); });
}

void SettingsWatcher::request_stop() noexcept {
    {
        std::lock_guard lock(mutex_);
        stop_requested_ = true;
    }
    wake_.notify_all();
}

void SettingsWatcher::join() {
    if (thread_.joinable()) thread_.join();
}

bool SettingsWatcher::stopping() {
    std::lock_guard lock(mutex_);
    return stop_requested_;
}

// The wait for the signal is cut into poll periods, so that a peer that holds
// the mutex and stalls delays a stop request by one period at most.
void SettingsWatcher::poll_once() {
    std::optional<NamedMutex> signal = NamedMutex::open_existing(options_.mutex_name);
    if (!signal) return;
    while (!signal->try_lock_for(options_.poll_interval)) {
        if (stopping()) return;
    }
    try {
        reload_after_signal(data_folder_, settings_, hooks_);
    } catch (...) {
        // A failed reload leaves the previous settings; the mutex is released all the same.
    }
    signal->unlock();
}

void SettingsWatcher::run() {
    std::unique_lock lock(mutex_);
    while (!stop_requested_) {
        lock.unlock();
        try {
            poll_once();
        } catch (...) {
            // Nothing may escape the thread: the host would end. The next poll tries again.
        }
        lock.lock();
        wake_.wait_for(lock, options_.poll_interval, [this] { return stop_requested_; });
    }
}

}  // namespace vl
