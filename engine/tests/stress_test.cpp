// Eight voice objects on four threads speak, are purged, released and made
// again, while another process rewrites prefs.ini, pronunc.dic and the user
// dictionary and signals a reload every 50 ms, again until the engine has
// reloaded that round (a watcher kept off the processor by a busy machine may
// miss a signal's window).
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine_state.h"
#include "engine/settings_watcher.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"
#include "platform/reload_signal.h"
#include "platform/shared_files_lock.h"
#include "store/file_io.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

using namespace std::chrono_literals;

constexpr int kSignals = 40;

// Purges its request after a number of audio writes (none: never).
class PurgingSink : public OutputSink {
public:
    explicit PurgingSink(int purge_after) : purge_after_(purge_after) {}
    uint32_t get_actions() override { return purge_after_ >= 0 && writes_ >= purge_after_ ? kActionAbort : 0; }
    int32_t get_rate() override { return 0; }
    uint16_t get_volume() override { return 100; }
    bool get_sentence_skip(int32_t&) override { return false; }
    void complete_skip(int32_t) override {}
    uint64_t get_event_interest() override { return 0; }
    bool write(const void*, uint32_t count, WriteKind kind) override {
        if (count % 2 != 0) odd_writes++;
        if (kind == WriteKind::audio) ++writes_;
        return true;
    }
    void add_event(const SpeakEvent&) override {}
    int odd_writes = 0;

private:
    const int purge_after_;
    int writes_ = 0;
};

// Whether the engine has told, through the pipe, of a reload of this round or a later one.
bool reloaded(int reloads, int32_t round) {
    int32_t seen = 0;
    bool found = false;
    while (read(reloads, &seen, sizeof seen) == sizeof seen) found = found || seen >= round;
    return found;
}

// The other process: each round rewrites the three files under the shared
// mutex, with the round's number in prefs.ini, and signals the engines until
// one has reloaded the round.
[[noreturn]] void rewrite_and_signal(const std::filesystem::path& data, const std::u16string& mutex, int reloads) {
    fcntl(reloads, F_SETFL, O_NONBLOCK);
    for (int round = 1; round <= kSignals; ++round) {
        {
            const SharedFilesLock files(mutex);
            const std::string number = std::to_string(round);
            write_file_atomic(data / "prefs.ini", "[General]\r\nuse_dictionary = 2\r\ndisable_decimal_separator = " +
                                                      number + "\r\n");
            write_file_atomic(data / "dicts" / "Russian" / "pronunc.dic",
                              "[english_letters]\r\na = эй" + number + "\r\n");
            write_file_atomic(data / "dicts" / "Russian" / "dict.dic", "кот кот" + number + "\r\n");
        }
        // With the writes and the engines' reload, about 50 ms a round. The
        // engine reloads while it owns the mutex, before the signal returns.
        do {
            signal_engines(mutex, 40ms);
        } while (!reloaded(reloads, round));
    }
    _exit(0);
}

class Stress : public test::TempFolderTest {};

TEST_F(Stress, VoicesSpeakPurgeAndGoWhileAnotherProcessReloads) {
    const std::u16string mutex = u"VelnorSAPI_stress_" + [] {
        const std::string digits = std::to_string(getpid());
        return std::u16string(digits.begin(), digits.end());
    }();
    EngineState state;
    state.shared_files_mutex = mutex;
    std::filesystem::create_directories(folder / "VelnorSAPI" / "dicts" / "Russian");
    int reloads[2];
    ASSERT_EQ(pipe(reloads), 0);
    const pid_t other = fork();  // before any thread starts
    ASSERT_GE(other, 0);
    if (other == 0) rewrite_and_signal(folder / "VelnorSAPI", mutex, reloads[0]);
    // The read end stays open here too and a full pipe drops the news, so that
    // reloads after the other process has ended neither fail nor block.
    fcntl(reloads[1], F_SETFL, O_NONBLOCK);

    std::mutex seen_mutex;
    std::vector<int32_t> seen;  // the round each reload found
    UserDictionaryHooks hooks{[&] {
                                  std::lock_guard lock(seen_mutex);
                                  seen.push_back(state.settings.disable_decimal_separator);
                                  const int32_t round = seen.back();
                                  (void)!write(reloads[1], &round, sizeof round);
                              },
                              {}};
    SettingsWatcher watcher(folder / "VelnorSAPI", state.settings, hooks, {mutex, 5ms});
    watcher.start();

    std::atomic<bool> done{false};
    std::atomic<int> requests{0};
    std::atomic<int> malformed{0};
    const auto voices = [&](unsigned seed) {
        std::mt19937 random(seed);
        const char16_t* names[] = {u"Velnor_Male1_Russian", u"Velnor_Female1_Russian", u"Velnor_Male2_Russian",
                                   u"Velnor_Female2_Russian"};
        while (!done) {
            VoiceChoice objects[2];
            for (VoiceChoice& object : objects) {
                add_voice(state);
                test::FakeToken token;
                token.name = names[random() % 4];
                if (set_up_voice(token, folder, state, velnor_engine(), object) != kStatusOk) ++malformed;
            }
            for (int request = 0; request < 30; ++request) {
                PurgingSink sink(static_cast<int>(random() % 4) - 1);
                const TextFragment fragment{FragmentAction::speak, 0, 100, 0, u"Кот и a, 12.5 кота."};
                speak({&fragment, 1}, sink, velnor_engine(), state, objects[random() % 2]);
                malformed += sink.odd_writes;
                ++requests;
            }
            for (int i = 0; i < 2; ++i) remove_voice(state);
        }
    };
    std::vector<std::thread> threads;
    for (unsigned seed = 1; seed <= 4; ++seed) threads.emplace_back(voices, seed);

    int status = 0;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    done = true;
    for (std::thread& thread : threads) thread.join();
    watcher.request_stop();
    watcher.join();
    close(reloads[0]);
    close(reloads[1]);

    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(malformed, 0);
    EXPECT_GT(requests, 0);
    // Every signal was seen by a reload, in order.
    int32_t expected = 1;
    for (int32_t round : seen) {
        if (round == expected) ++expected;
    }
    std::string rounds;
    for (int32_t round : seen) rounds += std::to_string(round) + " ";
    EXPECT_EQ(expected, kSignals + 1) << "reloads seen: " << rounds;
    EXPECT_EQ(state.live_voices, 0);
}

}  // namespace
}  // namespace vl
#endif
