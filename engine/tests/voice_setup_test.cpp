#include "engine/voice_setup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <thread>

#include "engine/tests/running_engine.h"
#include "platform/named_mutex.h"
#include "store/file_io.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

using VoiceSetup = test::RunningEngineTest;

TEST_F(VoiceSetup, FirstSetUpCreatesFoldersAndLog) {
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_TRUE(fs::is_directory(folder / "VelnorSAPI" / "dicts" / "Russian"));
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "log.txt"));
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "prefs.ini"));
    EXPECT_EQ(state.settings.pause, -1);
    EXPECT_EQ(*library.language->language.get(), u"419");
    EXPECT_EQ(library.language->folders.get()->language, folder / "VelnorSAPI" / "dicts" / "Russian");
}

TEST_F(VoiceSetup, UkrainianTokenSelectsVoiceAndFolder) {
    token.name = u"Velnor_Female2_Ukrainian";
    token.language_code = u"422";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(engine.voice, 3);
    EXPECT_TRUE(fs::is_directory(folder / "VelnorSAPI" / "dicts" / "Ukrainian"));
    const std::vector<std::string> engine_calls = {"19", "3", "7(100)", "12(3)"};
    EXPECT_EQ(engine.calls, engine_calls);
}

TEST_F(VoiceSetup, NamesMatchExactlyElseVoiceZero) {
    token.name = u"Velnor_Female1_Russian";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(engine.voice, 1);
    token.name = u"velnor_female1_russian";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(engine.voice, 0);
}

TEST_F(VoiceSetup, TokenFailuresAreReturnedAndStopSetUp) {
    token.attributes_status = static_cast<int32_t>(0x80070002);
    EXPECT_EQ(set_up(), static_cast<int32_t>(0x80070002));
    EXPECT_FALSE(fs::exists(folder / "VelnorSAPI"));
    token.attributes_status = 0;
    token.name_status = kStatusFail;
    EXPECT_EQ(set_up(), kStatusFail);
}

TEST_F(VoiceSetup, MissingLanguageKeepsThePreviousOne) {
    state.language.publish(std::u16string(u"422"));
    token.language_code.reset();
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(*library.language->language.get(), u"422");
}

TEST_F(VoiceSetup, UserDictionaryLoadedOnlyWhenInUse) {
    fs::create_directories(folder / "VelnorSAPI" / "dicts" / "Russian");
    std::ofstream(folder / "VelnorSAPI" / "dicts" / "Russian" / "dict.dic") << "цска цэ+ска\n";
    std::ofstream(folder / "VelnorSAPI" / "prefs.ini") << "[General]\nuse_dictionary = 1\n";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(state.settings.use_dictionary, 1);
    EXPECT_TRUE(library.language->dictionary.get()->empty());
    std::ofstream(folder / "VelnorSAPI" / "prefs.ini") << "[General]\nuse_dictionary = 2\n";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(library.language->dictionary.get()->find(u"цска"), u"цэ+ска");
}

TEST_F(VoiceSetup, LoadsTheVoicesTablesAndMovesSettingsGroups) {
    fs::create_directories(folder / "VelnorSAPI");
    std::ofstream(folder / "VelnorSAPI" / "prefs.ini") << "[General]\n[symbols]\n# = решётка:1\n";
    token.name = u"Velnor_Male1_Ukrainian";
    token.language_code = u"422";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "dicts" / "Russian" / "pronunc.dic"));
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "dicts" / "Ukrainian" / "pronunc.dic"));
    EXPECT_FALSE(library.language->tables.get()->spelling.empty());
    EXPECT_EQ(read_file(folder / "VelnorSAPI" / "prefs.ini")->find("решётка"), std::string::npos);

    release_voice_state(state);
    EXPECT_TRUE(library.language->tables.get()->letters.empty());
    EXPECT_TRUE(library.language->tables.get()->spelling.empty());
    EXPECT_FALSE(library.language->tables.get()->symbols.empty());
}

TEST_F(VoiceSetup, ALibraryThatIsNotReadyFailsSetUpBeforeAnythingElse) {
    engine.ready_answer = 0;
    EXPECT_EQ(set_up(), kStatusFail);
    EXPECT_EQ(engine.calls, std::vector<std::string>{"19"});
    EXPECT_FALSE(fs::exists(folder / "VelnorSAPI"));
    engine.ready_answer = 1;
    EXPECT_EQ(set_up(), kStatusOk);
}

TEST_F(VoiceSetup, WithoutAnApplicationDataFolderTheDefaultsServeAndNoFileIsWritten) {
    const fs::path working = fs::current_path();
    fs::current_path(folder);  // where a relative folder would land
    const int32_t status = set_up_voice(token, {}, state, engine, library);
    fs::current_path(working);
    ASSERT_EQ(status, kStatusOk);
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(state.settings.pause, -1);
    EXPECT_EQ(state.settings.intonation, 50);
    EXPECT_EQ(state.settings.use_dictionary, 2);
    ASSERT_NE(library.language->tables.get()->letters.find(u'ц'), nullptr);
    EXPECT_EQ(*library.language->tables.get()->letters.find(u'ц'), u"цэ");
    EXPECT_TRUE(library.language->folders.get()->language.empty());
}

TEST_F(VoiceSetup, EachVoiceObjectKeepsItsOwnVoice) {
    VoiceChoice second;
    token.name = u"Velnor_Female2_Russian";
    ASSERT_EQ(set_up_voice(token, folder, state, engine, second), kStatusOk);
    token.name = u"Velnor_Male2_Russian";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(second.voice, 3);
    EXPECT_EQ(library.voice, 2);
}

TEST_F(VoiceSetup, UnchangedSharedFilesAreNotRewrittenAndAPeerHoldingTheirMutexLeavesThemAlone) {
    ASSERT_EQ(set_up(), kStatusOk);
    const fs::path prefs = folder / "VelnorSAPI" / "prefs.ini";
    const auto written = fs::last_write_time(prefs);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(fs::last_write_time(prefs), written);

    state.shared_files_mutex = u"VelnorSAPI_voice_setup_test";
    // A peer on a thread of its own: a Windows mutex is owned again by its owner's thread.
    std::promise<void> held, let_go;
    std::thread peer([&] {
        std::optional<NamedMutex> mutex = NamedMutex::create(state.shared_files_mutex);
        const bool locked = mutex && mutex->lock();
        held.set_value();
        let_go.get_future().wait();
        if (locked) mutex->unlock();
    });
    held.get_future().wait();
    ASSERT_TRUE(write_file_atomic(prefs, "[General]\nsample_rate = 22050\n[symbols]\n# = решётка:1\n"));
    fs::remove(folder / "VelnorSAPI" / "dicts" / "Ukrainian" / "pronunc.dic");
    token.name = u"Velnor_Male1_Ukrainian";
    token.language_code = u"422";
    ASSERT_EQ(set_up(), kStatusOk);  // after the bounded wait
    EXPECT_EQ(state.settings.sample_rate, 11025);
    EXPECT_EQ(state.settings.intonation, 50);
    EXPECT_FALSE(library.language->tables.get()->spelling.empty());
    EXPECT_EQ(read_file(prefs), "[General]\nsample_rate = 22050\n[symbols]\n# = решётка:1\n");
    EXPECT_FALSE(fs::exists(folder / "VelnorSAPI" / "dicts" / "Ukrainian" / "pronunc.dic"));
    let_go.set_value();
    peer.join();
}

TEST(LanguageId, ReadsLeadingHexadecimalDigits) {
    EXPECT_EQ(language_id(u"419"), 0x419u);
    EXPECT_EQ(language_id(u"422;409"), 0x422u);
    EXPECT_EQ(language_id(u""), 0u);
}

}  // namespace
}  // namespace vl
