#pragma once
// An engine as a voice object runs it: the process's state, a synthesis engine
// that records its calls, one voice's token and choice, set up from an
// application-data folder, and on request the settings watcher on a reload
// signal of the test's own name. stop() ends the watcher and closes the log,
// which must be closed before the folder can be removed.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "store/tests/temp_folder.h"
#include "engine/engine_state.h"
#include "engine/engine_watcher.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"
#include "engine/voice_setup.h"

namespace vl::test {

struct RunningEngine {
    EngineState state;
    RecordingEngine engine;
    FakeToken token;  // the first Russian voice unless a test changes it
    VoiceChoice library;
    std::unique_ptr<SettingsWatcher> watcher;

    ~RunningEngine() { stop(); }

    // Sets the token's voice up, as SetObjectToken does; returns the status.
    int32_t set_up(const std::filesystem::path& application_data) {
        return set_up_voice(token, application_data, state, engine, library);
    }
    void watch(const std::filesystem::path& application_data, const std::u16string& signal) {
        watcher = make_engine_watcher(application_data, state, WatcherOptions{signal, std::chrono::milliseconds(20)});
        watcher->start();
    }
    void stop() {
        if (watcher) {
            watcher->request_stop();
            watcher->join();
            watcher.reset();
        }
        state.log.close();
    }
};

// The running engine over the test's own folder.
class RunningEngineTest : public test::TempFolderTest, protected RunningEngine {
protected:
    void TearDown() override {
        stop();
        TempFolderTest::TearDown();
    }
    int32_t set_up() { return RunningEngine::set_up(folder); }
    void watch(const std::u16string& signal) { RunningEngine::watch(folder, signal); }
};

}  // namespace vl::test
