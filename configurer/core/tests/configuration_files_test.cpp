#include "configurer/core/configuration_files.h"

#include <gtest/gtest.h>

#include "base/utf.h"
#include "configurer/core/default_lists.h"
#include "configurer/core/tests/recording_ui.h"
#include "contract/pronunciation_defaults.h"
#include "store/file_io.h"
#include "store/pronunciation_migration.h"
#include "store/user_dictionary_file.h"

namespace vl {
namespace {

namespace fs = std::filesystem;
using test::RecordingUi;

class ConfigurationFiles : public test::AppDataTest {};

std::string utf8(std::u16string_view text) { return utf16_to_utf8(text); }

std::string expected_fresh_settings() {
    std::string bytes =
        "\xEF\xBB\xBF\r\n[General]\r\nsample_rate = 10000\r\npause = -1\r\nuse_dictionary = 2\r\nintonation = 50\r\n"
        "silence_at_begin = 0\r\nsilence_at_end = 0\r\ndisable_decimal_separator = 0\r\n";
    const auto group = [&](const char* name, std::span<const DefaultEntry> entries) {
        bytes += std::string("\r\n[") + name + "]\r\n";
        for (const DefaultEntry& entry : entries) bytes += utf8(entry.key) + " = " + utf8(entry.value) + "\r\n";
    };
    group("english_letters", kDefaultLatinLetters);
    group("russian_letters", kDefaultCyrillicLetters);
    group("english_pronunciation", kDefaultLatinCombinations);
    bytes += "\r\n[symbols]\r\n";
    for (const DefaultSymbol& symbol : kDefaultSymbols)
        bytes += utf8(symbol.symbol) + " = " + utf8(symbol.replacement) + ":" + std::to_string(symbol.when) + "\r\n";
    return bytes;
}

TEST_F(ConfigurationFiles, FreshStartWritesBothFilesWithTheDefaults) {
    RecordingUi ui;
    ConfigurerState state;
    EXPECT_FALSE(load_configuration(state, folder, ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, u"Первое использование Velnor SAPI");
    EXPECT_EQ(ui.shown[0].kind, MessageKind::information);
    EXPECT_EQ(state.settings, SettingsRecord{});
    EXPECT_EQ(state.lists().latin_letters.entries.size(), 26u);
    EXPECT_EQ(state.lists().cyrillic_letters.entries.size(), 6u);
    EXPECT_EQ(state.lists().latin_combinations.entries.size(), 3u);
    EXPECT_EQ(state.lists().symbols.entries.size(), 28u);
    EXPECT_EQ(state.lists().user_dictionary.entries.size(), 6u);

    ASSERT_TRUE(apply_configuration(state, folder, /*silent=*/true, ui, own_signal()));
    EXPECT_EQ(ui.shown.size(), 1u);
    const std::string settings = *read_file(data() / "prefs.ini");
    EXPECT_EQ(settings, expected_fresh_settings());
    EXPECT_NE(settings.find("\r\n\xE2\x82\xBD = рубль:1\r\n"), std::string::npos);  // ₽
    EXPECT_NE(settings.find("w = да+блъю\r\n"), std::string::npos);
    EXPECT_NE(settings.find("— = длинное тирэ:0\r\n"), std::string::npos);
    const std::string dictionary =
        "\xEF\xBB\xBFтруповозку трупово+зку\r\nсервомеханизмов сервомехани+змов\r\n"
        "самопровозглашенных са+мо-провозглашё+нных\r\nракетоплан ракетопла+н\r\nпосимвольном поси+мвольном\r\n"
        "слово сло+во";
    EXPECT_EQ(*read_file(data() / "ru_dict.dic"), dictionary);
    EXPECT_EQ(*read_file(data() / "dicts" / "Russian" / "dict.dic"), dictionary);

    ConfigurerState again;
    EXPECT_TRUE(load_configuration(again, folder, ui));
    EXPECT_EQ(again.settings, state.settings);
    EXPECT_EQ(again.lists().latin_letters, state.lists().latin_letters);
    EXPECT_EQ(again.lists().cyrillic_letters, state.lists().cyrillic_letters);
    EXPECT_EQ(again.lists().latin_combinations, state.lists().latin_combinations);
    EXPECT_EQ(again.lists().symbols, state.lists().symbols);
    EXPECT_EQ(again.lists().user_dictionary, state.lists().user_dictionary);
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(ConfigurationFiles, SettingsAreKeptUnclampedAndDictionaryCodesInEightBits) {
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini",
                                  "[GENERAL]\nSAMPLE_RATE = 22050\npause = 40\nuse_dictionary = 259\nintonation=x\n"));
    RecordingUi ui;
    ConfigurerState state;
    EXPECT_TRUE(load_configuration(state, folder, ui));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(state.settings.sample_rate, 22050);
    EXPECT_EQ(state.settings.pause, 40);
    EXPECT_EQ(state.settings.use_dictionary, 3);
    EXPECT_EQ(state.settings.intonation, 0);
    EXPECT_EQ(state.settings.silence_at_end, 0);
    EXPECT_EQ(state.lists().latin_letters.entries.size(), 26u);  // the engine's groups: no pronunc.dic, no group here
    EXPECT_EQ(state.lists().symbols.entries.size(), std::size(kRussianSymbols));
    ASSERT_TRUE(apply_configuration(state, folder, true, ui, own_signal()));
    const std::string settings = *read_file(data() / "prefs.ini");
    EXPECT_NE(settings.find("SAMPLE_RATE = 22050\r\n"), std::string::npos);  // in place, as spelt by hand
    EXPECT_NE(settings.find("use_dictionary = 3\r\n"), std::string::npos);
}

TEST_F(ConfigurationFiles, GroupsMovedAwayAreReadFromTheRussianPronunciationFile) {
    const std::string general = "\xEF\xBB\xBF\r\n[General]\r\nsample_rate = 10500\r\n";
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", general + "[english_letters]\r\nq = кью\r\n"));
    RecordingUi ui;

    // Without pronunc.dic the lists of the missing groups hold what the engine would write and read.
    ConfigurerState state;
    EXPECT_TRUE(load_configuration(state, folder, ui));
    EXPECT_EQ(state.lists().latin_letters.entries, (std::vector<PronunciationEntry>{{u"q", u"кью"}}));
    EXPECT_EQ(state.lists().cyrillic_letters.entries.size(), std::size(kRussianLetters));
    EXPECT_EQ(state.lists().latin_combinations.entries, (std::vector<PronunciationEntry>{{u"j", u"дж"}, {u"x", u"кс"}, {u"y", u"ы"}}));
    EXPECT_EQ(state.lists().symbols.entries.size(), std::size(kRussianSymbols));
    EXPECT_EQ(state.lists().symbols.entries[0], (SymbolEntry{u"&", u"амперсанд", 1}));
    ASSERT_TRUE(apply_configuration(state, folder, true, ui, own_signal()));
    std::string settings = *read_file(data() / "prefs.ini");
    EXPECT_NE(settings.find("[english_letters]\r\nq = кью\r\n"), std::string::npos);
    EXPECT_NE(settings.find("[russian_letters]\r\nа = а\r\n"), std::string::npos);
    EXPECT_NE(settings.find("[symbols]\r\n& = амперсанд:1\r\n"), std::string::npos);

    // With the engine's pronunc.dic (and the groups moved out of prefs.ini) the lists show what the engine uses.
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", general + "[english_letters]\r\nq = кью\r\n"));
    const fs::path russian = data() / "dicts" / "Russian";
    ASSERT_TRUE(write_file_atomic(
        russian / "pronunc.dic",
        "\xEF\xBB\xBF\r\n[english_letters]\r\na = эй\r\n[russian_letters]\r\nх = ха\r\n"
        "[englishPronunciation]\r\nj = дж\r\nph = ф\r\n[symbols]\r\n& = амперсанд:1\r\n‐ = дефис\r\n"));
    ConfigurerState moved;
    EXPECT_TRUE(load_configuration(moved, folder, ui));
    EXPECT_EQ(moved.settings.sample_rate, 10500);
    EXPECT_EQ(moved.lists().latin_letters.entries, (std::vector<PronunciationEntry>{{u"q", u"кью"}}));  // prefs.ini wins
    EXPECT_EQ(moved.lists().cyrillic_letters.entries, (std::vector<PronunciationEntry>{{u"х", u"ха"}}));
    EXPECT_EQ(moved.lists().latin_combinations.entries, (std::vector<PronunciationEntry>{{u"j", u"дж"}, {u"ph", u"ф"}}));
    EXPECT_EQ(moved.lists().symbols.entries,
              (std::vector<SymbolEntry>{{u"&", u"амперсанд", 1}, {u"‐", u"дефис", 0}}));
    ASSERT_TRUE(apply_configuration(moved, folder, true, ui, own_signal()));
    settings = *read_file(data() / "prefs.ini");
    EXPECT_NE(settings.find("[english_pronunciation]\r\nj = дж\r\nph = ф\r\n"), std::string::npos);
    EXPECT_NE(settings.find("‐ = дефис:0\r\n"), std::string::npos);  // written back with its code

    // english_pronunciation comes before englishPronunciation.
    ASSERT_TRUE(write_file_atomic(russian / "pronunc.dic",
                                  "[englishPronunciation]\r\nj = дж\r\n[english_pronunciation]\r\nx = икс\r\n"));
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", general));
    ConfigurerState preferred;
    EXPECT_TRUE(load_configuration(preferred, folder, ui));
    EXPECT_EQ(preferred.lists().latin_combinations.entries, (std::vector<PronunciationEntry>{{u"x", u"икс"}}));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ConfigurationFiles, SymbolValuesSplitAtColons) {
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini",
                                  "[symbols]\n‐ = дефис\n$ = доллар:1:лишнее\n% = процент:\n# = решётка:x\n"
                                  "@ = собака:257\n"));
    RecordingUi ui;
    ConfigurerState state;
    ASSERT_TRUE(load_configuration(state, folder, ui));
    EXPECT_EQ(state.lists().symbols.entries, (std::vector<SymbolEntry>{{u"‐", u"дефис", 0},
                                                               {u"$", u"доллар", 1},
                                                               {u"%", u"процент", 0},
                                                               {u"#", u"решётка", 0},
                                                               {u"@", u"собака", 1}}));
    ASSERT_TRUE(apply_configuration(state, folder, true, ui, own_signal()));
    EXPECT_NE(read_file(data() / "prefs.ini")->find("‐ = дефис:0\r\n$ = доллар:1\r\n"), std::string::npos);
}

// The configurer, then the engine's voice set-up (which moves the groups into
// pronunc.dic), then the configurer again.
ConfigurerState apply_and_start_again(const ConfigurerState& state, const fs::path& folder, RecordingUi& ui,
                                      const SignalOptions& signal) {
    EXPECT_TRUE(apply_configuration(state, folder, /*silent=*/true, ui, signal));
    const fs::path data = folder / "VelnorSAPI";
    migrate_pronunciation_from_settings(data / "prefs.ini", data / "dicts" / "Russian");
    ConfigurerState next;
    EXPECT_TRUE(load_configuration(next, folder, ui));
    return next;
}

TEST_F(ConfigurationFiles, EmptiedListsAndDictionaryStayEmpty) {
    RecordingUi ui;
    ConfigurerState state;
    load_configuration(state, folder, ui);
    ConfigurerState next = apply_and_start_again(state, folder, ui, own_signal());
    EXPECT_EQ(next.lists().symbols.entries.size(), 28u);
    EXPECT_EQ(next.lists().user_dictionary.entries.size(), 6u);

    next.lists().symbols = {};
    next.lists().cyrillic_letters = {};
    next.lists().user_dictionary = {};
    ConfigurerState emptied = apply_and_start_again(next, folder, ui, own_signal());
    EXPECT_TRUE(emptied.lists().symbols.entries.empty());
    EXPECT_TRUE(emptied.lists().cyrillic_letters.entries.empty());
    EXPECT_TRUE(emptied.lists().user_dictionary.entries.empty());
    EXPECT_EQ(emptied.lists().latin_letters.entries.size(), 26u);
    EXPECT_EQ(*read_file(data() / "ru_dict.dic"), "\xEF\xBB\xBF");
    EXPECT_EQ(*read_file(data() / "dicts" / "Russian" / "dict.dic"), "\xEF\xBB\xBF");
    const std::string pronunciation = *read_file(data() / "dicts" / "Russian" / "pronunc.dic");
    EXPECT_NE(pronunciation.find("[symbols]\r\n\r\n"), std::string::npos);
    // And again: nothing comes back.
    EXPECT_TRUE(apply_and_start_again(emptied, folder, ui, own_signal()).lists().symbols.entries.empty());
    EXPECT_TRUE(ui.shown.size() == 1u);  // the welcome message of the first start only
}

TEST_F(ConfigurationFiles, TheEnginesDictionaryIsTheUsersDataAndStartingKeepsBoth) {
    const fs::path russian = data() / "dicts" / "Russian";
    fs::create_directories(russian);
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", "[General]\r\nuse_dictionary = 2\r\n"));
    ASSERT_TRUE(write_file_atomic(data() / "ru_dict.dic", "\xEF\xBB\xBFслово сло+во\r\nдом до+м"));
    // Edited by hand after the configurer last wrote: two words of the user's own, and дом read anew.
    ASSERT_TRUE(write_file_atomic(russian / "dict.dic", "Велнор ве+лнор\nдом дом+\nкот ко+т\n"));
    fs::last_write_time(russian / "dict.dic", fs::last_write_time(data() / "ru_dict.dic") + std::chrono::seconds(5));

    RecordingUi ui;
    ConfigurerState state;
    ASSERT_TRUE(load_configuration(state, folder, ui));
    const std::vector<PronunciationEntry> merged{
        {u"слово", u"сло+во"}, {u"дом", u"дом+"}, {u"Велнор", u"ве+лнор"}, {u"кот", u"ко+т"}};
    EXPECT_EQ(state.lists().user_dictionary.entries, merged);
    ASSERT_TRUE(apply_configuration(state, folder, /*silent=*/true, ui, own_signal()));  // what every start does
    ConfigurerState again;
    ASSERT_TRUE(load_configuration(again, folder, ui));
    EXPECT_EQ(again.lists().user_dictionary.entries, merged);
    EXPECT_EQ(*read_file(data() / "ru_dict.dic"), *read_file(russian / "dict.dic"));

    // The configurer's file newer: its reading of a word both hold wins.
    ASSERT_TRUE(write_file_atomic(data() / "ru_dict.dic", "дом до+м"));
    fs::last_write_time(data() / "ru_dict.dic", fs::last_write_time(russian / "dict.dic") + std::chrono::seconds(5));
    ConfigurerState own_newer;
    ASSERT_TRUE(load_configuration(own_newer, folder, ui));
    EXPECT_EQ(own_newer.lists().user_dictionary.entries,
              (std::vector<PronunciationEntry>{
                  {u"дом", u"до+м"}, {u"слово", u"сло+во"}, {u"Велнор", u"ве+лнор"}, {u"кот", u"ко+т"}}));

    // Only the engine's file: its entries, not the defaults.
    fs::remove(data() / "ru_dict.dic");
    ConfigurerState engine_only;
    ASSERT_TRUE(load_configuration(engine_only, folder, ui));
    EXPECT_EQ(engine_only.lists().user_dictionary.entries.size(), 4u);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ConfigurationFiles, ADictionaryInCodePage1251IsReadAndWrittenBackAsUtf8) {
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", "[General]\r\n"));
    // "ёлка ё+лка" and "Ґанок ґа+нок" as an old editor saves them.
    ASSERT_TRUE(write_file_atomic(data() / "ru_dict.dic",
                                  "\xB8\xEB\xEA\xE0 \xB8+\xEB\xEA\xE0\r\n\xA5\xE0\xED\xEE\xEA \xB4\xE0+\xED\xEE\xEA"));
    RecordingUi ui;
    ConfigurerState state;
    ASSERT_TRUE(load_configuration(state, folder, ui));
    const std::vector<PronunciationEntry> expected{{u"ёлка", u"ё+лка"}, {u"Ґанок", u"ґа+нок"}};
    EXPECT_EQ(state.lists().user_dictionary.entries, expected);
    ASSERT_TRUE(apply_configuration(state, folder, /*silent=*/true, ui, own_signal()));
    const std::string written = *read_file(data() / "ru_dict.dic");
    EXPECT_EQ(written, "\xEF\xBB\xBFёлка ё+лка\r\nҐанок ґа+нок");
    EXPECT_EQ(written.find("\xEF\xBF\xBD"), std::string::npos);  // no U+FFFD
    EXPECT_EQ(*read_file(data() / "dicts" / "Russian" / "dict.dic"), written);
}

// Hand-edited files through a start: a prefs.ini saved in code page 1251 with
// comments, a dict.dic of UTF-8 lines with one line appended in code page 1251,
// a third field. No word is garbled or doubled, and what the start does not
// change keeps its bytes.
TEST_F(ConfigurationFiles, StartingKeepsHandEditedFilesAndReadsEachLineInItsEncoding) {
    const fs::path russian = data() / "dicts" / "Russian";
    fs::create_directories(russian);
    // "; мои настройки", "intonation = 60", "б = бэ" in code page 1251.
    const std::string settings = "; \xEC\xEE\xE8 \xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\r\n[General]\r\n"
                                 "intonation = 60\r\n[russian_letters]\r\n\xE1 = \xE1\xFD\r\n";
    ASSERT_TRUE(write_file_atomic(data() / "prefs.ini", settings));
    const std::string own = "\xEF\xBB\xBF; мой словарь\r\nмтс эм тэ эс\r\nвертолёт вертолё+т\r\nкот ко+т\r\n";
    ASSERT_TRUE(write_file_atomic(data() / "ru_dict.dic", own));
    // The same words, the last one appended by an editor in code page 1251.
    ASSERT_TRUE(write_file_atomic(russian / "dict.dic",
                                  "; мой словарь\nмтс эм тэ эс\nвертолёт вертолё+т\n\xEA\xEE\xF2 \xEA\xEE+\xF2\n"));

    RecordingUi ui;
    ConfigurerState state;
    ASSERT_TRUE(load_configuration(state, folder, ui));
    const std::vector<PronunciationEntry> words{{u"мтс", u"эм"}, {u"вертолёт", u"вертолё+т"}, {u"кот", u"ко+т"}};
    EXPECT_EQ(state.lists().user_dictionary.entries, words);
    EXPECT_EQ(state.lists().cyrillic_letters.entries, (std::vector<PronunciationEntry>{{u"б", u"бэ"}}));
    EXPECT_EQ(state.settings.intonation, 60);
    ASSERT_TRUE(apply_configuration(state, folder, /*silent=*/true, ui, own_signal()));  // what every start does

    EXPECT_EQ(*read_file(data() / "ru_dict.dic"), own);  // nothing to change: untouched
    EXPECT_EQ(parse_user_dictionary_file(*read_file(russian / "dict.dic")), words);
    EXPECT_TRUE(is_valid_utf8(*read_file(russian / "dict.dic")));
    // prefs.ini gains the groups it lacked, in place: its comment and its letters stay.
    const std::string rewritten = *read_file(data() / "prefs.ini");
    EXPECT_NE(rewritten.find("; мои настройки\r\n[General]\r\nintonation = 60\r\n"), std::string::npos);
    EXPECT_NE(rewritten.find("[russian_letters]\r\nб = бэ\r\n"), std::string::npos);
    ConfigurerState again;
    ASSERT_TRUE(load_configuration(again, folder, ui));
    EXPECT_EQ(again.lists().user_dictionary.entries, words);
    EXPECT_EQ(again.lists().cyrillic_letters.entries, state.lists().cyrillic_letters.entries);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(UserDictionaryFile, SkipsCommentsAndEmptyLinesAndKeepsTwoFields) {
    const std::vector<PronunciationEntry> entries = parse_user_dictionary_file(
        "\xEF\xBB\xBF; комментарий\r\n\r\nмтс эм тэ эс\n\nСлово Сло+во\rодно\r\n ;не комментарий\r\nа  б\r\n");
    EXPECT_EQ(entries, (std::vector<PronunciationEntry>{{u"мтс", u"эм"},
                                                        {u"Слово", u"Сло+во"},
                                                        {u"одно", u""},
                                                        {u"", u";не"},
                                                        {u"а", u""}}));
    EXPECT_TRUE(parse_user_dictionary_file("").empty());
    EXPECT_TRUE(parse_user_dictionary_file("\xEF\xBB\xBF").empty());
    EXPECT_EQ(user_dictionary_file_bytes({{u"а", u"б"}, {u"в", u""}}), "\xEF\xBB\xBFа б\r\nв ");
}

TEST_F(ConfigurationFiles, AMissingDataFolderStopsTheApplyWithItsMessage) {
    fs::remove_all(data());
    RecordingUi ui;
    ConfigurerState state;
    load_configuration(state, folder, ui);
    ui.shown.clear();
    EXPECT_FALSE(apply_configuration(state, folder, /*silent=*/false, ui, own_signal()));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], (Message{u"Ошибка", u"Не получилось применить новую конфигурацию...\nОшибка записи в файл.",
                                    MessageKind::error}));
    EXPECT_FALSE(fs::exists(data()));
}

TEST_F(ConfigurationFiles, ADictionaryThatCannotBeWrittenIsReportedAndTheApplyGoesOn) {
    fs::create_directories(data() / "ru_dict.dic");  // a folder in the file's place
    RecordingUi ui;
    ConfigurerState state;
    load_configuration(state, folder, ui);  // the folder cannot be read: default dictionary
    EXPECT_EQ(state.lists().user_dictionary.entries.size(), 6u);
    ui.shown.clear();
    SignalOptions signal{u"VelnorSAPI_configurer_files_test", std::chrono::milliseconds(10)};
    EXPECT_TRUE(apply_configuration(state, folder, /*silent=*/false, ui, signal));
    EXPECT_EQ(ui.shown, (std::vector<Message>{
                            {u"Ошибка", u"Не получилось записать словарь.\nОшибка записи в файл.", MessageKind::error},
                            {u"Успешно", u"Новые конфигурации применены!", MessageKind::information}}));
    EXPECT_TRUE(fs::exists(data() / "prefs.ini"));
}

TEST_F(ConfigurationFiles, UkrainianListsStartFromTheEnginesDefaultsAndReachItsFiles) {
    const fs::path ukrainian = data() / "dicts" / "Ukrainian";
    fs::create_directories(ukrainian);
    // The engine's own file, with a group the configurer does not edit and a letter changed by hand.
    ASSERT_TRUE(write_file_atomic(ukrainian / "pronunc.dic",
                                  "[ukrainian_letters]\r\nї = йі\r\n[ukrainian_pronunciation]\r\nщ = шч\r\n"));
    RecordingUi ui;
    ConfigurerState state;
    EXPECT_FALSE(load_configuration(state, folder, ui));
    const LanguageLists& lists = state.languages[1];
    EXPECT_EQ(lists.latin_letters.entries.size(), 26u);
    EXPECT_EQ(lists.cyrillic_letters.entries, (std::vector<PronunciationEntry>{{u"ї", u"йі"}}));
    EXPECT_EQ(lists.latin_combinations.entries.size(), 3u);
    EXPECT_EQ(lists.symbols.entries.size(), std::size(kUkrainianSymbols));
    EXPECT_EQ(lists.symbols.entries[6], (SymbolEntry{u"₽", u"російський рубль", 1}));
    EXPECT_TRUE(lists.user_dictionary.entries.empty());
    EXPECT_EQ(state.languages[0].cyrillic_letters.entries.size(), 6u);  // Russian: the configurer's defaults

    state.language = 1;
    state.lists().symbols = {};
    state.lists().user_dictionary.entries = {{u"кавун", u"каву+н"}};
    ASSERT_TRUE(apply_configuration(state, folder, /*silent=*/true, ui, own_signal()));
    const std::string pronunciation = *read_file(ukrainian / "pronunc.dic");
    EXPECT_NE(pronunciation.find("[ukrainian_pronunciation]\r\nщ = шч\r\n"), std::string::npos);
    EXPECT_NE(pronunciation.find("[ukrainian_letters]\r\nї = йі\r\n"), std::string::npos);
    EXPECT_NE(pronunciation.find("[symbols]\r\n"), std::string::npos);
    EXPECT_EQ(*read_file(data() / "uk_dict.dic"), "\xEF\xBB\xBFкавун каву+н");
    EXPECT_EQ(*read_file(ukrainian / "dict.dic"), "\xEF\xBB\xBFкавун каву+н");
    EXPECT_EQ(read_file(data() / "prefs.ini")->find("ukrainian"), std::string::npos);

    ConfigurerState again;
    EXPECT_TRUE(load_configuration(again, folder, ui));
    EXPECT_EQ(again.languages, state.languages);
}

}  // namespace
}  // namespace vl
