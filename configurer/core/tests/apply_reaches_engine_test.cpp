// The configurer and an engine in one process, joined only by the files and a
// reload signal of this test's own name.
#include <gtest/gtest.h>

#include "configurer/core/configuration_files.h"
#include "configurer/core/list_operations.h"
#include "configurer/core/tests/recording_ui.h"
#include "engine/engine_state.h"
#include "engine/engine_watcher.h"
#include "engine/library_settings.h"
#include "engine/speak_driver.h"
#include "engine/tests/fakes.h"

namespace vl {
namespace {

class ApplyReachesEngine : public testing::AppDataTest {};

TEST_F(ApplyReachesEngine, ANewDictionaryWordIsSpokenInTheNextRequest) {
    EngineState engine_state;
    vl::testing::RecordingEngine engine;
    vl::testing::FakeToken voice;  // a Russian voice
    LibrarySettings library;
    ASSERT_EQ(set_up_voice(voice, folder, engine_state, engine, library), kStatusOk);
    EXPECT_EQ(prepare_request_text(u"глокая куздра", engine_state), u"глокая куздра");

    const SignalOptions signal{u"VelnorSAPI_configurer_engine_test", std::chrono::milliseconds(100)};
    auto watcher = make_engine_watcher(folder, engine_state,
                                       WatcherOptions{signal.mutex_name, std::chrono::milliseconds(20)});
    watcher->start();

    testing::RecordingUi ui;
    ConfigurerState configurer;
    ASSERT_TRUE(load_configuration(configurer, folder, ui));  // the engine made prefs.ini
    ASSERT_EQ(confirm_entry_dialog(configurer, ListKind::UserDictionaryList, DialogVariant::add, u"Куздра",
                                   u"ку+здра", ui),
              DialogOutcome::closed_changed);
    configurer.settings.intonation = 80;
    ASSERT_TRUE(apply_configuration(configurer, folder, /*silent=*/false, ui, signal));
    EXPECT_EQ(ui.texts(), std::vector<std::u16string>{u"Новые конфигурации применены!"});

    EXPECT_EQ(prepare_request_text(u"глокая куздра", engine_state), u"глокая ку+здра");
    EXPECT_EQ(engine_state.settings.intonation, 80);

    watcher->request_stop();
    watcher->join();
    engine_state.log.close();
}

}  // namespace
}  // namespace vl
