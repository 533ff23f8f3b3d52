#include "configurer/core/startup.h"

#include <gtest/gtest.h>

#include <random>

#include "configurer/core/tests/recording_ui.h"
#include "store/file_io.h"

namespace vl {
namespace {

namespace fs = std::filesystem;
using test::RecordingUi;

class Startup : public test::AppDataTest {};
class Closing : public test::AppDataTest {};
class ApplyButton : public test::AppDataTest {};
class Documentation : public test::TempFolderTest {};

// An application name of this test run alone, with a blank to be replaced.
std::u16string private_application_name() {
    const std::string digits = std::to_string(std::random_device{}());
    return u"Velnor Configurer Test " + std::u16string(digits.begin(), digits.end());
}

const SignalOptions kPrivateSignal{u"VelnorSAPI_configurer_startup_test", std::chrono::milliseconds(10)};

TEST_F(Startup, SwitchIsTheFirstArgumentInAnyCase) {
    EXPECT_TRUE(is_run_after_setup(u"-RunAfterSetup"));
    EXPECT_TRUE(is_run_after_setup(u"-runaftersetup"));
    EXPECT_FALSE(is_run_after_setup(u""));
    EXPECT_FALSE(is_run_after_setup(u"-runaftersetup2"));
    EXPECT_EQ(single_instance_name(u"VelnorConfigurer"), u"VelnorConfigurer_Instance");
    EXPECT_EQ(single_instance_name(u"A b  c"), u"A_b__c_Instance");
}

TEST_F(Startup, FirstRunWelcomesThenWritesTheDefaultsSilently) {
    RecordingUi ui;
    ConfigurerState state;
    EXPECT_EQ(start_configurer(state, u"", folder, ui, private_application_name()), StartupResult::show_window);
    ASSERT_EQ(ui.shown.size(), 1u);  // the welcome only: no success message
    EXPECT_EQ(ui.shown[0].title, u"Первое использование Velnor SAPI");
    EXPECT_TRUE(fs::exists(data() / "prefs.ini"));
    EXPECT_TRUE(fs::exists(data() / "ru_dict.dic"));
    EXPECT_TRUE(state.instance);
    EXPECT_FALSE(state.modified);
    EXPECT_FALSE(state.run_after_setup);
}

TEST_F(Startup, SilentApplyStillReportsAWriteFailure) {
    fs::remove_all(data());
    RecordingUi ui;
    ConfigurerState state;
    EXPECT_EQ(start_configurer(state, u"", folder, ui, private_application_name()), StartupResult::show_window);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, u"Не получилось применить новую конфигурацию...\nОшибка записи в файл.");
}

TEST_F(Startup, SwitchWithASettingsFileEndsAtOnceWritingNothing) {
    const std::string settings = "[General]\nsample_rate = 11000\n";
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", settings));
    const std::u16string name = private_application_name();
    RecordingUi ui;
    ConfigurerState state;
    EXPECT_EQ(start_configurer(state, u"-RUNAFTERSETUP", folder, ui, name), StartupResult::exit);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(state.run_after_setup);
    EXPECT_FALSE(state.instance);  // given up
    EXPECT_EQ(*read_file(data() / "prefs.ini"), settings);
    EXPECT_FALSE(fs::exists(data() / "ru_dict.dic"));

    // Without a settings file the switch changes nothing: welcome, defaults, window.
    fs::remove(data() / "prefs.ini");
    ConfigurerState first_run;
    EXPECT_EQ(start_configurer(first_run, u"-runaftersetup", folder, ui, name), StartupResult::show_window);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(fs::exists(data() / "prefs.ini"));
}

TEST_F(Startup, ASecondCopyIsToldAndEndsWithoutReadingOrWriting) {
    const std::u16string name = private_application_name();
    RecordingUi ui;
    ConfigurerState first;
    ASSERT_EQ(start_configurer(first, u"", folder, ui, name), StartupResult::show_window);
    fs::remove(data() / "prefs.ini");
    RecordingUi second_ui;
    ConfigurerState second;
    EXPECT_EQ(start_configurer(second, u"", folder, second_ui, name), StartupResult::exit);
    EXPECT_EQ(second_ui.shown,
              (std::vector<Message>{{u"Ошибка", u"Другая копия программы уже работает.", MessageKind::error}}));
    EXPECT_FALSE(fs::exists(data() / "prefs.ini"));
    EXPECT_TRUE(second.lists().latin_letters.entries.empty());
    EXPECT_TRUE(first.instance);
}

TEST_F(Closing, AsksOnlyWithUnappliedChangesAndAppliesOnYes) {
    RecordingUi ui;
    ConfigurerState state;
    ASSERT_EQ(start_configurer(state, u"", folder, ui, private_application_name()), StartupResult::show_window);
    ui.shown.clear();
    const fs::path prefs = data() / "prefs.ini";

    state.settings.intonation = 70;
    state.modified = true;
    ui.answers = {Answer::cancel};
    EXPECT_FALSE(close_configurer(state, folder, ui, kPrivateSignal));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, u"Внимание");
    EXPECT_EQ(ui.shown[0].kind, MessageKind::question_yes_no_cancel);
    EXPECT_TRUE(state.instance);

    ui.answers = {Answer::no};
    EXPECT_TRUE(close_configurer(state, folder, ui, kPrivateSignal));
    EXPECT_EQ(read_file(prefs)->find("intonation = 70"), std::string::npos);
    EXPECT_FALSE(state.instance);

    ui.shown.clear();
    ui.answers = {Answer::yes};
    EXPECT_TRUE(close_configurer(state, folder, ui, kPrivateSignal));
    EXPECT_NE(read_file(prefs)->find("intonation = 70"), std::string::npos);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, u"Новые конфигурации применены!");

    ui.shown.clear();
    state.modified = false;
    EXPECT_TRUE(close_configurer(state, folder, ui, kPrivateSignal));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ApplyButton, ClearsModifiedEvenWhenWritingFails) {
    fs::remove_all(data());
    RecordingUi ui;
    ConfigurerState state;
    state.modified = true;
    apply_button(state, folder, ui, kPrivateSignal);
    EXPECT_FALSE(state.modified);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].kind, MessageKind::error);
}

TEST_F(Documentation, FoundOnlyWhenPresentAndNotEmpty) {
    EXPECT_FALSE(find_documentation(folder));
    fs::create_directories(folder / "docs");
    ASSERT_TRUE(write_file_atomic(folder / "docs" / "Russian.html", ""));
    EXPECT_FALSE(find_documentation(folder));
    ASSERT_TRUE(write_file_atomic(folder / "docs" / "Russian.html", "<html></html>"));
    EXPECT_EQ(find_documentation(folder), folder / "docs" / "Russian.html");
    EXPECT_EQ(documentation_missing_message().text, u"Не нахожу документации по ожидаемому пути.");
}

}  // namespace
}  // namespace vl
