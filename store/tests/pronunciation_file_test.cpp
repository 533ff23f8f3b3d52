#include "store/pronunciation_file.h"

#include <gtest/gtest.h>

#include "contract/data_layout.h"
#include "store/file_io.h"
#include "store/tests/temp_folder.h"
#include "textprep/prepare_text.h"
#include "textprep/single_character.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class PronunciationFile : public test::TempFolderTest {
protected:
    PronunciationTables load(std::u16string_view language) {
        PronunciationTables tables;
        EXPECT_TRUE(load_pronunciation_tables(folder, language, tables));
        return tables;
    }
    std::u16string file_text() const { return read_text(folder / kPronunciationFileName); }
    static std::u16string name(const PronunciationTables& tables, char16_t c) {
        return read_single_character(std::u16string_view(&c, 1), tables);
    }
    static std::u16string english_sources(const PronunciationTables& tables) {
        std::u16string sources;
        for (const Rewrite& entry : tables.english.entries()) sources += entry.source + u"=" + entry.replacement + u";";
        return sources;
    }
};

TEST_F(PronunciationFile, FreshFilesHoldEveryDefaultGroupVerbatim) {
    const fs::path data = VL_STORE_TEST_DATA;
    for (const auto& [language, expected] : {std::pair{kRussianLanguage, "pronunc_russian.dic"},
                                             std::pair{kUkrainianLanguage, "pronunc_ukrainian.dic"}}) {
        fs::remove_all(folder / kPronunciationFileName);
        load(language);
        EXPECT_EQ(read_file(folder / kPronunciationFileName), read_file(data / expected)) << expected;
        load(language);  // a second load changes nothing
        EXPECT_EQ(read_file(folder / kPronunciationFileName), read_file(data / expected)) << expected;
    }
}

TEST_F(PronunciationFile, FreshTablesReadLettersSymbolsAndLists) {
    const PronunciationTables russian = load(kRussianLanguage);
    EXPECT_EQ(name(russian, u'х'), u"ха");  // not written: its fallback
    EXPECT_EQ(name(russian, u'ч'), u"ч");
    EXPECT_EQ(name(russian, u'w'), u"да+блъю");
    EXPECT_EQ(russian.symbols.size(), 29u);
    EXPECT_EQ(russian.symbols.find(u'&')->always, 1);
    EXPECT_EQ(russian.symbols.find(u'\u200E')->name, u"метка слева на право");
    EXPECT_EQ(english_sources(russian), u"j=дж;x=кс;y=ы;");
    EXPECT_TRUE(russian.spelling.empty());

    fs::remove_all(folder / kPronunciationFileName);
    const PronunciationTables ukrainian = load(kUkrainianLanguage);
    EXPECT_EQ(name(ukrainian, u'ґ'), u"твэрдэ гэ");
    EXPECT_EQ(name(ukrainian, u'х'), u"х");
    EXPECT_EQ(ukrainian.symbols.size(), 27u);
    EXPECT_EQ(ukrainian.spelling.entries().front().source, u"ґ");
    EXPECT_EQ(ukrainian.spelling.entries().back().source, u"е");
}

TEST_F(PronunciationFile, OtherLanguagesGetOnlyEnglishLetters) {
    const PronunciationTables tables = load(u"409");
    EXPECT_EQ(tables.letters.size(), 26u);
    EXPECT_TRUE(tables.symbols.empty());
    EXPECT_TRUE(tables.english.empty());
    EXPECT_EQ(file_text().find(u"[russian_letters]"), std::u16string::npos);
    EXPECT_NE(file_text().find(u"[english_letters]"), std::u16string::npos);
}

TEST_F(PronunciationFile, LetterGroupsAreReadOnlyForTheirLettersWithFallbacks) {
    write_text(folder / kPronunciationFileName,
               u"[english_letters]\r\nA = эйй\r\nab = never\r\n"
               u"[russian_letters]\r\nБ = бээ\r\nа = аа\r\n");
    const PronunciationTables tables = load(kRussianLanguage);
    EXPECT_EQ(name(tables, u'a'), u"эйй");  // Latin keys match in either case
    EXPECT_EQ(name(tables, u'b'), u"би");
    EXPECT_EQ(name(tables, u'б'), u"бэ");   // "Б" is another key
    EXPECT_EQ(name(tables, u'ч'), u"че");
    EXPECT_EQ(name(tables, u'х'), u"ха");
    EXPECT_EQ(name(tables, u'а'), u"аа");
    // Existing groups are never completed.
    EXPECT_EQ(file_text().find(u"b = би"), std::u16string::npos);
}

TEST_F(PronunciationFile, EnglishDefaultsAreRewrittenWhileTheirGroupIsMissing) {
    write_text(folder / kPronunciationFileName, u"[englishPronunciation]\r\nj = X\r\nph = ф\r\n = empty\r\n");
    EXPECT_EQ(english_sources(load(kRussianLanguage)), u"j=дж;ph=ф;x=кс;y=ы;");
    EXPECT_NE(file_text().find(u"[englishPronunciation]\r\nj = дж\r\nph = ф\r\n"), std::u16string::npos);

    write_text(folder / kPronunciationFileName, u"[english_pronunciation]\r\nj = X\r\n[englishPronunciation]\r\nq = k\r\n");
    EXPECT_EQ(english_sources(load(kUkrainianLanguage)), u"j=X;");
}

TEST_F(PronunciationFile, SymbolAndRewriteGroupsAreReadWholeWithoutDefaults) {
    write_text(folder / kPronunciationFileName,
               u"[symbols]\r\n$ = доллар:1\r\n# = решётка\r\n%% = two units\r\n€ = евро:0\r\n€ = евро:1\r\n"
               u"[ukrainian_pronunciation]\r\nа = б\r\nаб = в\r\n");
    const PronunciationTables tables = load(kUkrainianLanguage);
    EXPECT_EQ(tables.symbols.size(), 3u);
    EXPECT_EQ(tables.symbols.find(u'$')->always, 1);
    EXPECT_EQ(tables.symbols.find(u'#')->always, 0);
    EXPECT_EQ(tables.symbols.find(u'€')->always, 1);  // a later equal key overwrites
    ASSERT_EQ(tables.spelling.entries().size(), 2u);
    EXPECT_EQ(tables.spelling.entries()[0].source, u"аб");
}

TEST_F(PronunciationFile, LoadsAddToTheTablesTheyAreGiven) {
    PronunciationTables tables;
    fs::create_directories(folder / "Russian");
    fs::create_directories(folder / "Ukrainian");
    ASSERT_TRUE(load_pronunciation_tables(folder / "Russian", kRussianLanguage, tables));
    ASSERT_TRUE(load_pronunciation_tables(folder / "Ukrainian", kUkrainianLanguage, tables));
    EXPECT_EQ(name(tables, u'й'), u"йот");  // Ukrainian overwrote
    EXPECT_EQ(name(tables, u'х'), u"ха");   // Russian kept
    EXPECT_EQ(tables.english.entries().size(), 6u);
    EXPECT_EQ(tables.symbols.find(u'€')->name, u"євро");
    EXPECT_EQ(tables.symbols.find(u'„')->name, u"левая кавычка лапка");
}

TEST_F(PronunciationFile, UnreadableFileLoadsNothing) {
    fs::create_directories(folder / kPronunciationFileName);  // a folder in its place
    PronunciationTables tables;
    tables.letters.set(u'a', u"kept");
    EXPECT_FALSE(load_pronunciation_tables(folder, kRussianLanguage, tables));
    EXPECT_EQ(tables.letters.size(), 1u);
    EXPECT_FALSE(load_pronunciation_tables(folder / "missing" / "deeper", kRussianLanguage, tables));
}

TEST_F(PronunciationFile, HostileBytesStillLoad) {
    ASSERT_TRUE(write_file_atomic(folder / kPronunciationFileName,
                                  std::string("\xFF\xFE[symbols\r\n\x80=\x00:\r\n=\r\n[\r\n;\r\n===\r\n", 32)));
    PronunciationTables tables;
    EXPECT_TRUE(load_pronunciation_tables(folder, kRussianLanguage, tables));
    EXPECT_EQ(name(tables, u'a'), u"эй");
}

}  // namespace
}  // namespace vl
