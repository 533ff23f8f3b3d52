#include "store/pronunciation_migration.h"

#include <gtest/gtest.h>

#include "contract/data_layout.h"
#include "store/pronunciation_file.h"
#include "store/tests/temp_folder.h"
#include "textprep/prepare_text.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class PronunciationMigration : public test::TempFolderTest {
protected:
    fs::path prefs() const { return folder / "prefs.ini"; }
    fs::path russian() const { return folder / "dicts" / "Russian"; }
    fs::path pronunciation() const { return russian() / kPronunciationFileName; }
};

constexpr std::u16string_view kPrefs =
    u"[General]\r\nsample_rate = 10000\r\n"
    u"[english_letters]\r\na = эйй\r\n"
    u"[symbols]\r\n$ = доллар:1\r\n$ = second\r\n"
    u"[other]\r\nkey = value\r\n";

TEST_F(PronunciationMigration, MissingFileIsMadeFromEveryGroupButGeneral) {
    write_text(prefs(), kPrefs);
    migrate_pronunciation_from_settings(prefs(), russian());
    EXPECT_EQ(read_text(pronunciation()),
              u"[english_letters]\r\na = эйй\r\n\r\n[symbols]\r\n$ = доллар:1\r\n$ = second\r\n\r\n"
              u"[other]\r\nkey = value\r\n\r\n");
    EXPECT_EQ(read_text(prefs()), u"\r\n[General]\r\nsample_rate = 10000\r\n[other]\r\nkey = value\r\n");

    PronunciationTables tables;
    ASSERT_TRUE(load_pronunciation_tables(russian(), kRussianLanguage, tables));
    EXPECT_EQ(*tables.letters.find(u'a'), u"эйй");
    EXPECT_EQ(tables.symbols.size(), 1u);  // the group exists: no defaults added
}

TEST_F(PronunciationMigration, ExistingFileTakesTheMovedGroupsWhole) {
    PronunciationTables ignored;
    fs::create_directories(russian());
    ASSERT_TRUE(load_pronunciation_tables(russian(), kRussianLanguage, ignored));  // a default file
    write_text(prefs(), kPrefs);
    migrate_pronunciation_from_settings(prefs(), russian());
    EXPECT_EQ(read_text(prefs()), u"\r\n[General]\r\nsample_rate = 10000\r\n[other]\r\nkey = value\r\n");

    PronunciationTables tables;
    ASSERT_TRUE(load_pronunciation_tables(russian(), kRussianLanguage, tables));
    EXPECT_EQ(*tables.letters.find(u'a'), u"эйй");
    EXPECT_EQ(*tables.letters.find(u'b'), u"би");  // a letter missing from the moved group: fallback
    EXPECT_EQ(*tables.letters.find(u'б'), u"бэ");  // groups not in prefs.ini stay
    EXPECT_EQ(tables.symbols.size(), 1u);
    EXPECT_EQ(tables.symbols.find(u'$')->name, u"second");
    const std::u16string text = read_text(pronunciation());
    EXPECT_EQ(text.find(u"[other]"), std::u16string::npos);
    EXPECT_LT(text.find(u"[russian_letters]"), text.find(u"[english_letters]"));  // replaced at the end
}

TEST_F(PronunciationMigration, NothingMovesWhenPronunciationFileCannotBeWritten) {
    write_text(prefs(), kPrefs);
    fs::create_directories(pronunciation());  // a folder in its place
    migrate_pronunciation_from_settings(prefs(), russian());
    EXPECT_EQ(read_text(prefs()), kPrefs);
}

TEST_F(PronunciationMigration, WithoutSettingsFileOnlyTheFolderIsMade) {
    migrate_pronunciation_from_settings(prefs(), russian());
    EXPECT_TRUE(fs::is_directory(russian()));
    EXPECT_FALSE(fs::exists(pronunciation()));
    EXPECT_FALSE(fs::exists(prefs()));
}

}  // namespace
}  // namespace vl
