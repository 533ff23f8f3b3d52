// Whole requests through prepare_text with tables set up from pronunc.dic files.
#include <gtest/gtest.h>

#include "contract/data_layout.h"
#include "store/pronunciation_file.h"
#include "store/pronunciation_migration.h"
#include "store/pronunciation_setup.h"
#include "store/tests/temp_folder.h"
#include "textprep/prepare_text.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class PronunciationPipeline : public test::TempFolderTest {
protected:
    fs::path language_folder(std::u16string_view language) const {
        return folder / "dicts" / (language == kUkrainianLanguage ? "Ukrainian" : "Russian");
    }
    void set_up(std::u16string_view language) {
        fs::create_directories(language_folder(language));  // voice set-up makes the folders
        migrate_pronunciation_from_settings(folder / "prefs.ini", language_folder(kRussianLanguage));
        ASSERT_TRUE(set_up_pronunciation_tables(language_folder(language), language, tables));
        this->language = language;
    }
    std::u16string prepare(std::u16string_view text, int32_t use_dictionary = 1,
                           const UserDictionary& dictionary = UserDictionary()) {
        const std::shared_ptr<const PronunciationTables> snapshot = tables.get();
        return prepare_text(text, PrepareContext{language, use_dictionary, 0, *snapshot, dictionary});
    }

    Published<PronunciationTables> tables;
    std::u16string language;
};

TEST_F(PronunciationPipeline, RussianDefaults) {
    set_up(kRussianLanguage);
    EXPECT_EQ(prepare(u"A"), u"эй");
    EXPECT_EQ(prepare(u"W"), u"да+блъю");
    EXPECT_EQ(prepare(u"Й"), u"икра+ткое");
    EXPECT_EQ(prepare(u"&"), u"амперсанд");
    EXPECT_EQ(prepare(u"ФСБ"), u" эф  эс  бэ ");
    EXPECT_EQ(prepare(u"ЦСКА"), u" цэ  эс  ка  а ");
    EXPECT_EQ(prepare(u"США"), u"США");
    EXPECT_EQ(prepare(u"iPhone"), u" ай  Phone");
    EXPECT_EQ(prepare(u"xyz"), u"ксыz");
    EXPECT_EQ(prepare(u"Jack"), u" джack");
    EXPECT_EQ(prepare(u"Ц."), u"Ц.");
    EXPECT_EQ(prepare(u"вс+е"), u" вэ  эс +е");
    EXPECT_EQ(prepare(u"ціна"), u"ціна");  // no Ukrainian rewriting for Russian voices
}

TEST_F(PronunciationPipeline, UkrainianDefaults) {
    set_up(kUkrainianLanguage);
    EXPECT_EQ(prepare(u"ціна"), u"тсина");
    EXPECT_EQ(prepare(u"щастя"), u"шчастя");
    EXPECT_EQ(prepare(u"Їжак"), u"ййижак");
    EXPECT_EQ(prepare(u"Ц"), u"цэ");
    EXPECT_EQ(prepare(u"зв'язок"), u"звъязок");
}

TEST_F(PronunciationPipeline, WorkedExamples) {
    set_up(kRussianLanguage);
    EXPECT_EQ(prepare(u"ЦСКА&РЖД: 007 (xbox) 3.05", 2, UserDictionary::parse("цска цэ+ска")),
              u" цэ  эс  ка  а  амперсанд  эр  жэ  дэ :  2 ноля 7 ,  ксboкс  3: ноль 5");
    set_up(kUkrainianLanguage);
    EXPECT_EQ(prepare(u"Ціна 0.5 грн", 2), u"тсина  ноль .5 ,  гэ  эр  эн ");
}

TEST_F(PronunciationPipeline, SymbolFlagDecidesRunningTextOnly) {
    for (const auto& [value, running] : {std::pair{u"доллар:1", u"цена  доллар "}, std::pair{u"доллар:0", u"цена  "},
                                         std::pair{u"доллар", u"цена  "}}) {
        const fs::path file = language_folder(kRussianLanguage) / kPronunciationFileName;
        fs::remove_all(file);
        write_text(file, u"[symbols]\r\n$ = " + std::u16string(value) + u"\r\n");
        tables.publish(PronunciationTables{});
        set_up(kRussianLanguage);
        EXPECT_EQ(prepare(u"цена $"), running) << utf16_to_utf8(value);
        EXPECT_EQ(prepare(u"$"), u"доллар");
    }
}

TEST_F(PronunciationPipeline, ReleaseKeepsOnlySymbols) {
    set_up(kRussianLanguage);
    release_pronunciation_tables(tables);
    EXPECT_EQ(prepare(u"A"), u"a");
    EXPECT_EQ(prepare(u"&"), u"амперсанд");
    EXPECT_EQ(prepare(u"xyz"), u"xyz");
}

TEST_F(PronunciationPipeline, RepeatedSetUpsRebuildLettersAndLists) {
    set_up(kUkrainianLanguage);
    const size_t ukrainian_entries = tables.get()->spelling.entries().size();
    set_up(kRussianLanguage);
    EXPECT_TRUE(tables.get()->spelling.empty());
    EXPECT_EQ(prepare(u"ґ"), u"ґ");  // no Ukrainian letter name left behind
    set_up(kUkrainianLanguage);
    set_up(kUkrainianLanguage);
    EXPECT_EQ(tables.get()->spelling.entries().size(), ukrainian_entries);
    EXPECT_EQ(prepare(u"ціна"), u"тсина");
}

TEST_F(PronunciationPipeline, SettingsGroupsReachTheTablesAtSetUp) {
    write_text(folder / "prefs.ini", u"[General]\r\n[symbols]\r\n# = решётка:1\r\n");
    set_up(kUkrainianLanguage);  // the Russian file takes the group, whatever the voice
    EXPECT_EQ(prepare(u"#"), u"#");
    set_up(kRussianLanguage);
    EXPECT_EQ(prepare(u"#"), u"решётка");
}

// A rewrite whose replacement holds its own source, repeated sixty times,
// would double the text sixty times over; the growth stops at its bound.
TEST_F(PronunciationPipeline, AHostileRewriteListCannotMultiplyTheText) {
    std::u16string group = u"[english_pronunciation]\r\n";
    for (int repeat = 0; repeat < 60; ++repeat) group += u"ab = abab\r\n";
    for (int repeat = 0; repeat < 60; ++repeat) group += u"q = qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq\r\n";
    write_text(language_folder(kRussianLanguage) / "pronunc.dic", group);
    set_up(kRussianLanguage);
    for (const std::u16string& text : {std::u16string(u"ab ab"), std::u16string(u"q q"),
                                       [] { std::u16string many; for (int i = 0; i < 1000; ++i) many += u"ab q "; return many; }()}) {
        const std::u16string prepared = prepare(text);
        EXPECT_LE(prepared.size(), kMaxTextGrowth * text.size());
        EXPECT_GT(prepared.size(), text.size());
    }
    std::u16string doubled = u"ab";
    while (doubled.size() * 2 <= kMaxTextGrowth * 2) doubled += doubled;
    EXPECT_EQ(prepare(u"ab"), doubled);  // doubled while within the bound, then left
}

}  // namespace
}  // namespace vl
