#include "engine/engine_watcher.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/file_io.h"
#include "base/tests/temp_folder.h"
#include "engine/engine_state.h"
#include "engine/voice_choice.h"
#include "engine/speak_driver.h"
#include "engine/tests/fakes.h"
#include "platform/reload_signal.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

using EngineWatcher = test::TempFolderTest;

TEST_F(EngineWatcher, ReloadSignalBringsNewDictionaryEntriesToTheNextRequest) {
    const fs::path& appdata = folder;
    EngineState state;
    testing::RecordingEngine engine;
    testing::FakeToken voice;
    VoiceChoice library;
    ASSERT_EQ(set_up_voice(voice, appdata, state, engine, library), kStatusOk);
    EXPECT_EQ(prepare_request_text(u"ракетоплан", state, library), u"ракетоплан");

    const std::u16string signal = u"VelnorSAPI_engine_watcher_test";
    auto watcher = make_engine_watcher(appdata, state, WatcherOptions{signal, std::chrono::milliseconds(20)});
    watcher->start();
    std::ofstream(appdata / "VelnorSAPI" / "dicts" / "Russian" / "dict.dic") << "ракетоплан ракетопла+н\n";
    ASSERT_TRUE(signal_engines(signal, std::chrono::milliseconds(100)));
    EXPECT_EQ(prepare_request_text(u"ракетоплан", state, library), u"ракетопла+н");

    const fs::path prefs = appdata / "VelnorSAPI" / "prefs.ini";
    std::string settings = *read_file(prefs);
    settings.replace(settings.find("use_dictionary = 2"), 18, "use_dictionary = 1");
    ASSERT_TRUE(write_file_atomic(prefs, settings));
    ASSERT_TRUE(signal_engines(signal, std::chrono::milliseconds(100)));
    EXPECT_EQ(state.settings.use_dictionary, 1);
    EXPECT_TRUE(library.language->dictionary.get()->empty());

    watcher->request_stop();
    watcher->join();
    state.log.close();
}

}  // namespace
}  // namespace vl
