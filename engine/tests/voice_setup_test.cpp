#include "engine/voice_setup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/file_io.h"
#include "base/tests/temp_folder.h"
#include "engine/engine_state.h"
#include "engine/library_settings.h"
#include "engine/tests/fakes.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class VoiceSetup : public test::TempFolderTest {
protected:
    void TearDown() override {
        state.log.close();
        TempFolderTest::TearDown();
    }
    int32_t set_up() { return set_up_voice(token, folder, state, engine, library); }

    testing::FakeToken token;
    EngineState state;
    testing::RecordingEngine engine;
    LibrarySettings library;
};

TEST_F(VoiceSetup, FirstSetUpCreatesFoldersAndLog) {
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_TRUE(fs::is_directory(folder / "VelnorSAPI" / "dicts" / "Russian"));
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "log.txt"));
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "prefs.ini"));
    EXPECT_EQ(state.settings.pause, -1);
    EXPECT_EQ(*state.language.get(), u"419");
    EXPECT_EQ(state.folders.get()->language, folder / "VelnorSAPI" / "dicts" / "Russian");
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
    EXPECT_EQ(*state.language.get(), u"422");
}

TEST_F(VoiceSetup, UserDictionaryLoadedOnlyWhenInUse) {
    fs::create_directories(folder / "VelnorSAPI" / "dicts" / "Russian");
    std::ofstream(folder / "VelnorSAPI" / "dicts" / "Russian" / "dict.dic") << "цска цэ+ска\n";
    std::ofstream(folder / "VelnorSAPI" / "prefs.ini") << "[General]\nuse_dictionary = 1\n";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(state.settings.use_dictionary, 1);
    EXPECT_TRUE(state.dictionary.get()->empty());
    std::ofstream(folder / "VelnorSAPI" / "prefs.ini") << "[General]\nuse_dictionary = 2\n";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_EQ(state.dictionary.get()->find(u"цска"), u"цэ+ска");
}

TEST_F(VoiceSetup, LoadsTheVoicesTablesAndMovesSettingsGroups) {
    fs::create_directories(folder / "VelnorSAPI");
    std::ofstream(folder / "VelnorSAPI" / "prefs.ini") << "[General]\n[symbols]\n# = решётка:1\n";
    token.name = u"Velnor_Male1_Ukrainian";
    token.language_code = u"422";
    ASSERT_EQ(set_up(), kStatusOk);
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "dicts" / "Russian" / "pronunc.dic"));
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "dicts" / "Ukrainian" / "pronunc.dic"));
    EXPECT_FALSE(state.tables.get()->ukrainian.empty());
    EXPECT_EQ(read_file(folder / "VelnorSAPI" / "prefs.ini")->find("решётка"), std::string::npos);

    release_voice_state(state);
    EXPECT_TRUE(state.tables.get()->letters.empty());
    EXPECT_TRUE(state.tables.get()->ukrainian.empty());
    EXPECT_FALSE(state.tables.get()->symbols.empty());
}

TEST(LanguageId, ReadsLeadingHexadecimalDigits) {
    EXPECT_EQ(language_id(u"419"), 0x419u);
    EXPECT_EQ(language_id(u"422;409"), 0x422u);
    EXPECT_EQ(language_id(u""), 0u);
}

}  // namespace
}  // namespace vl
