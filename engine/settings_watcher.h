#pragma once
// The watcher thread: every poll it looks for the configurer's reload signal (the
// named mutex); when it finds it, it owns it, reloads the settings, reloads or
// clears the user dictionary, releases and closes it.
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "engine/settings.h"
#include "platform/reload_signal.h"

namespace vl {

// What happens to the user dictionary after the settings were reloaded: reload
// when use_dictionary is 2 or more, else clear. Empty hooks do nothing.
struct UserDictionaryHooks {
    std::function<void()> reload;
    std::function<void()> clear;
};

struct WatcherOptions {
    std::u16string mutex_name{reload_mutex_name};
    // Shorter than the signaller's 250 ms wait, so that a poll always falls
    // inside the time the signal exists.
    std::chrono::milliseconds poll_interval{200};
};

// One reload as the watcher does it while owning the mutex: load_settings, then
// the user-dictionary hook that use_dictionary selects.
void reload_after_signal(const std::filesystem::path& data_folder, Settings& settings,
                         const UserDictionaryHooks& hooks);

class SettingsWatcher {
public:
    SettingsWatcher(std::filesystem::path data_folder, Settings& settings, UserDictionaryHooks hooks,
                    WatcherOptions options = {});
    SettingsWatcher(const SettingsWatcher&) = delete;
    SettingsWatcher& operator=(const SettingsWatcher&) = delete;
    // Stops and joins the thread: not under the Windows loader lock.
    ~SettingsWatcher();

    // Starts the thread (once; later calls do nothing while it runs).
    void start();
    // Only tells the thread to stop: it ends within one poll interval, also
    // while it waits for a mutex that a peer holds, and at once when it is
    // waiting between polls. Never blocks: safe under the loader lock.
    void request_stop() noexcept;
    // Waits until the thread has ended. Call outside the loader lock.
    void join();

private:
    void run();
    void poll_once();
    bool stopping();

    const std::filesystem::path data_folder_;
    Settings& settings_;
    const UserDictionaryHooks hooks_;
    const WatcherOptions options_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_requested_ = false;
    std::thread thread_;
};

}  // namespace vl
