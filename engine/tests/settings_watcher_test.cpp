#include "engine/settings_watcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "engine/load_settings.h"
#include "platform/named_mutex.h"
#include "store/file_io.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::u16string unique_name() {
    const std::string digits = std::to_string(std::random_device{}());
    return u"VelnorWatcherTest-" + std::u16string(digits.begin(), digits.end());
}

class Watcher : public test::TempFolderTest {
protected:

    void set_prefs(std::string_view bytes) const { ASSERT_TRUE(write_file_atomic(folder / "prefs.ini", bytes)); }

    Settings settings;
    std::atomic<int> reloads{0};
    std::atomic<int> clears{0};
    UserDictionaryHooks hooks{[this] { ++reloads; }, [this] { ++clears; }};
};

TEST_F(Watcher, UseDictionaryChoosesBetweenReloadAndClear) {
    for (const auto& [use_dictionary, expected_reloads, expected_clears] :
         std::vector<std::tuple<std::string, int, int>>{{"2", 1, 0}, {"1", 1, 1}, {"0", 1, 2}, {"7", 2, 2}, {"3", 3, 2}}) {
        set_prefs("[General]\nuse_dictionary = " + use_dictionary + "\n");
        reload_after_signal(folder, settings, hooks);
        EXPECT_EQ(reloads, expected_reloads) << use_dictionary;
        EXPECT_EQ(clears, expected_clears) << use_dictionary;
    }
    reload_after_signal(folder, settings, {});  // empty hooks do nothing
}

TEST_F(Watcher, ReloadsOnTheSignalAndTheSignallerWaitsForIt) {
    const std::u16string name = unique_name();
    ASSERT_TRUE(load_settings(folder, settings));
    SettingsWatcher watcher(folder, settings, hooks, {name, 20ms});
    watcher.start();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(reloads, 0);  // no signal, no reload

    set_prefs("[General]\nsample_rate = 22050\n");
    ASSERT_TRUE(signal_engines(name, 150ms));
    EXPECT_EQ(settings.sample_rate, 11025);
    EXPECT_GE(reloads, 1);  // once per poll while the signal exists
    EXPECT_NE(read_file(folder / "prefs.ini")->find("sample_rate = 11025"), std::string::npos);
    watcher.request_stop();
    watcher.join();
}

TEST_F(Watcher, StopEndsTheWaitBetweenPollsAtOnce) {
    SettingsWatcher watcher(folder, settings, hooks, {unique_name(), 10s});
    watcher.start();
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    watcher.request_stop();
    watcher.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(Watcher, APeerThatHoldsTheSignalForeverDelaysAStopByOnePollAtMost) {
    const std::u16string name = unique_name();
    std::optional<NamedMutex> peer = NamedMutex::create(name);
    ASSERT_TRUE(peer && peer->lock());  // and never lets go
    SettingsWatcher watcher(folder, settings, hooks, {name, 100ms});
    watcher.start();
    std::this_thread::sleep_for(250ms);  // the watcher is waiting for the peer by now
    const auto start = std::chrono::steady_clock::now();
    watcher.request_stop();
    watcher.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms + 300ms);  // slack for a busy machine
    EXPECT_EQ(reloads + clears, 0);
    peer->unlock();
}

}  // namespace
}  // namespace vl
