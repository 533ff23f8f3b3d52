#include "engine/engine_watcher.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/speak_driver.h"
#include "engine/tests/running_engine.h"
#include "platform/reload_signal.h"
#include "store/file_io.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

using EngineWatcher = test::RunningEngineTest;

TEST_F(EngineWatcher, ReloadSignalBringsNewDictionaryEntriesToTheNextRequest) {
    const fs::path& appdata = folder;
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(prepare_request_text(u"ракетоплан", state, library), u"ракетоплан");

    const std::u16string signal = u"VelnorSAPI_engine_watcher_test";
    watch(signal);
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
}

}  // namespace
}  // namespace vl
