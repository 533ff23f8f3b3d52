// The configurer and an engine in one process, joined only by the files and a
// reload signal of this test's own name.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "configurer/core/configuration_files.h"
#include "configurer/core/list_operations.h"
#include "configurer/core/tests/recording_ui.h"
#include "engine/engine_state.h"
#include "engine/engine_watcher.h"
#include "engine/voice_choice.h"
#include "engine/speak_driver.h"
#include "engine/tests/fakes.h"

namespace vl {
namespace {

class ApplyReachesEngine : public test::AppDataTest {};

TEST_F(ApplyReachesEngine, ANewDictionaryWordIsSpokenInTheNextRequest) {
    EngineState engine_state;
    vl::test::RecordingEngine engine;
    vl::test::FakeToken voice;  // a Russian voice
    VoiceChoice library;
    ASSERT_EQ(set_up_voice(voice, folder, engine_state, engine, library), kStatusOk);
    EXPECT_EQ(prepare_request_text(u"глокая куздра", engine_state, library), u"глокая куздра");

    const SignalOptions signal{u"VelnorSAPI_configurer_engine_test", std::chrono::milliseconds(100)};
    auto watcher = make_engine_watcher(folder, engine_state,
                                       WatcherOptions{signal.mutex_name, std::chrono::milliseconds(20)});
    watcher->start();

    test::RecordingUi ui;
    ConfigurerState configurer;
    ASSERT_TRUE(load_configuration(configurer, folder, ui));  // the engine made prefs.ini
    ASSERT_EQ(confirm_entry_dialog(configurer, ListKind::UserDictionaryList, DialogVariant::add, u"Куздра",
                                   u"ку+здра", ui),
              DialogOutcome::closed_changed);
    configurer.settings.intonation = 80;
    ASSERT_TRUE(apply_configuration(configurer, folder, /*silent=*/false, ui, signal));
    EXPECT_EQ(ui.texts(), std::vector<std::u16string>{u"Новые конфигурации применены!"});

    EXPECT_EQ(prepare_request_text(u"глокая куздра", engine_state, library), u"глокая ку+здра");
    EXPECT_EQ(engine_state.settings.intonation, 80);

    watcher->request_stop();
    watcher->join();
    engine_state.log.close();
}

// An entry added to the Ukrainian dictionary reaches the Ukrainian voices in
// their next request after the apply, and not the Russian ones.
TEST_F(ApplyReachesEngine, AUkrainianDictionaryWordIsSpokenByUkrainianVoicesOnly) {
    const SignalOptions signal{u"VelnorSAPI_configurer_engine_test_uk", std::chrono::milliseconds(100)};
    struct Voice {
        EngineState state;
        vl::test::RecordingEngine engine;
        vl::test::FakeToken token;
        VoiceChoice library;
        std::unique_ptr<SettingsWatcher> watcher;
    };
    Voice russian, ukrainian;
    ukrainian.token.name = u"Velnor_Female1_Ukrainian";
    ukrainian.token.language_code = u"422";
    for (Voice* voice : {&russian, &ukrainian}) {
        ASSERT_EQ(set_up_voice(voice->token, folder, voice->state, voice->engine, voice->library), kStatusOk);
        voice->watcher = make_engine_watcher(folder, voice->state,
                                             WatcherOptions{signal.mutex_name, std::chrono::milliseconds(20)});
        voice->watcher->start();
    }
    EXPECT_EQ(prepare_request_text(u"смачний кавун", ukrainian.state, ukrainian.library), u"смачный кавун");

    test::RecordingUi ui;
    ConfigurerState configurer;
    ASSERT_TRUE(load_configuration(configurer, folder, ui));
    const auto add = [&](std::u16string_view word, std::u16string_view pronunciation) {
        return confirm_entry_dialog(configurer, ListKind::UserDictionaryList, DialogVariant::add, word, pronunciation,
                                    ui);
    };
    // A word with an apostrophe is refused in the Russian dictionary; the
    // Ukrainian one takes it in any form and counts every form as one.
    EXPECT_EQ(add(u"П'ять", u"пъя+ть"), DialogOutcome::stays_open);
    configurer.language = 1;  // Ukrainian
    ASSERT_EQ(add(u"Кавун", u"каву+н"), DialogOutcome::closed_changed);
    ASSERT_EQ(add(u"П\u2019ять", u"пъя+ть"), DialogOutcome::closed_changed);
    EXPECT_EQ(add(u"п'ять", u"пять"), DialogOutcome::closed_unchanged);
    ASSERT_TRUE(apply_configuration(configurer, folder, /*silent=*/false, ui, signal));

    EXPECT_EQ(prepare_request_text(u"смачний кавун", ukrainian.state, ukrainian.library), u"смачный каву+н");
    EXPECT_EQ(prepare_request_text(u"п'ять кавунів", ukrainian.state, ukrainian.library), u"пъя+ть кавунив");
    ConfigurerState again;
    ASSERT_TRUE(load_configuration(again, folder, ui));
    EXPECT_EQ(again.languages[1].user_dictionary.entries,
              (std::vector<PronunciationEntry>{{u"кавун", u"каву+н"}, {u"п\u2019ять", u"пъя+ть"}}));
    EXPECT_EQ(prepare_request_text(u"кавун", russian.state, russian.library), u"кавун");
    EXPECT_TRUE(configurer.languages[0].user_dictionary.entries.size() == 6u);  // the Russian defaults, untouched

    for (Voice* voice : {&russian, &ukrainian}) {
        voice->watcher->request_stop();
        voice->watcher->join();
        voice->state.log.close();
    }
}

#if !defined(_WIN32)
// A configurer process applies again and again while this one sets voices up:
// the engine rewrites prefs.ini (it clamps the sample rate the configurer
// wrote) but never with what it read before an apply landed.
TEST_F(ApplyReachesEngine, NoApplyIsLostToAVoiceSetUpRacingIt) {
    EngineState engine_state;
    engine_state.shared_files_mutex = u"VelnorSAPI_apply_race_test";
    vl::test::RecordingEngine engine;
    vl::test::FakeToken voice;
    VoiceChoice library;
    ASSERT_EQ(set_up_voice(voice, folder, engine_state, engine, library), kStatusOk);

    // The voice side writes a byte to this pipe after each set-up; the configurer
    // goes on applying until it has seen a few, so the two always overlap.
    int set_up_news[2];
    ASSERT_EQ(pipe(set_up_news), 0);
    const pid_t configurer_process = fork();
    ASSERT_GE(configurer_process, 0);
    if (configurer_process == 0) {
        close(set_up_news[1]);
        fcntl(set_up_news[0], F_SETFL, O_NONBLOCK);
        test::RecordingUi ui;
        ConfigurerState configurer;
        load_configuration(configurer, folder, ui);
        configurer.settings.sample_rate = 22050;
        int lost = 0;
        int set_ups_seen = 0;
        bool voice_side_gone = false;
        for (int round = 0; round < 100 || (set_ups_seen < 3 && !voice_side_gone); ++round) {
            char news[64];
            const ssize_t count = read(set_up_news[0], news, sizeof news);
            if (count > 0) set_ups_seen += static_cast<int>(count);
            voice_side_gone = count == 0;
            const int intonation = round % 100 + 1;
            configurer.settings.intonation = static_cast<decltype(configurer.settings.intonation)>(intonation);
            apply_configuration(configurer, folder, /*silent=*/true, ui, {engine_state.shared_files_mutex});
            const std::string line = "intonation = " + std::to_string(intonation) + "\r\n";
            if (read_file(data() / "prefs.ini").value_or("").find(line) == std::string::npos) ++lost;
        }
        _exit(lost);
    }
    // (This side keeps the read end open too, so a write after the configurer
    // has ended meets no broken pipe.)
    int status = 0;
    int set_ups = 0;
    while (waitpid(configurer_process, &status, WNOHANG) == 0) {
        ASSERT_EQ(set_up_voice(voice, folder, engine_state, engine, library), kStatusOk);
        ++set_ups;
        ASSERT_EQ(write(set_up_news[1], "+", 1), 1);
    }
    close(set_up_news[0]);
    close(set_up_news[1]);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "applies lost";
    EXPECT_GT(set_ups, 1);
    EXPECT_EQ(engine_state.settings.sample_rate, 11025);
    engine_state.log.close();
}
#endif

}  // namespace
}  // namespace vl
