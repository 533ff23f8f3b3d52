// An engine process for the two-process reload test. It loads the settings of a
// data folder, runs the watcher and writes "ready" into the folder. After each
// reload signal its user-dictionary hook takes 300 ms, then writes the sample
// rate it sees into "reloaded". A file "stop" in the folder ends it.
//
// Usage: reload_probe DATA_FOLDER MUTEX_NAME [POLL_MS]
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/utf.h"
#include "engine/load_settings.h"
#include "engine/settings_watcher.h"
#include "store/file_io.h"

int main(int argc, char** argv) {
    using namespace std::chrono_literals;
    if (argc < 3) return 2;
    const std::filesystem::path folder = vl::utf8_to_utf16(argv[1]);
    const std::u16string name = vl::utf8_to_utf16(argv[2]);
    const std::chrono::milliseconds poll(argc > 3 ? std::atoi(argv[3]) : 250);

    vl::Settings settings;
    if (!vl::load_settings(folder, settings)) return 3;
    const auto finish_reload = [&] {
        std::this_thread::sleep_for(300ms);
        vl::write_file_atomic(folder / "reloaded", std::to_string(settings.sample_rate.load()));
    };
    vl::SettingsWatcher watcher(folder, settings, {finish_reload, finish_reload}, {name, poll});
    watcher.start();
    vl::write_file_atomic(folder / "ready", "ready");

    for (auto waited = 0ms; waited < 60s; waited += 20ms) {
        if (std::filesystem::exists(folder / "stop")) {
            watcher.request_stop();
            watcher.join();
            return 0;
        }
        std::this_thread::sleep_for(20ms);
    }
    return 4;
}
