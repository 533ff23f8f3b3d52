#include "textprep/user_dictionary.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "contract/data_layout.h"
#include "store/file_io.h"
#include "store/pronunciation_file.h"
#include "store/tests/temp_folder.h"
#include "store/user_dictionary_load.h"
#include "textprep/prepare_text.h"
#include "textprep/user_dictionary_stage.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

std::u16string pronunciation_of(const UserDictionary& dictionary, std::u16string_view word) {
    const auto found = dictionary.find(word);
    return found ? std::u16string(*found) : u"<none>";
}

TEST(UserDictionaryFile, WordBeforeTheFirstBlankPronunciationUpToTheSecond) {
    const UserDictionary dictionary = UserDictionary::parse(
        "ракетоплан ракетопла+н\r\nмтс эм тэ эс\r\nСлово Сло+во\r\nбезпробела\r\nдва  пробела\r\n пусто");
    EXPECT_EQ(pronunciation_of(dictionary, u"ракетоплан"), u"ракетопла+н");
    EXPECT_EQ(pronunciation_of(dictionary, u"мтс"), u"эм");
    EXPECT_EQ(pronunciation_of(dictionary, u"слово"), u"сло+во");
    EXPECT_EQ(pronunciation_of(dictionary, u"Слово"), u"<none>");  // keys are stored lower-cased
    EXPECT_EQ(pronunciation_of(dictionary, u"безпробела"), u"");
    EXPECT_EQ(pronunciation_of(dictionary, u"два"), u"");
    EXPECT_EQ(pronunciation_of(dictionary, u""), u"пусто");
    EXPECT_EQ(dictionary.size(), 6u);
}

TEST(UserDictionaryFile, EveryLineEndAndByteOrderMarkIsAccepted) {
    for (const std::string_view mark : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        const UserDictionary dictionary = UserDictionary::parse(std::string(mark) + "а 1\rб 2\nв 3\r\nг 4\n\rд 5\n");
        EXPECT_EQ(pronunciation_of(dictionary, u"а"), u"1") << mark.size();
        EXPECT_EQ(pronunciation_of(dictionary, u"б"), u"2");
        EXPECT_EQ(pronunciation_of(dictionary, u"в"), u"3");
        EXPECT_EQ(pronunciation_of(dictionary, u"г"), u"4");
        EXPECT_EQ(pronunciation_of(dictionary, u"д"), u"5");
    }
    // A mark anywhere but at the start is text.
    EXPECT_EQ(pronunciation_of(UserDictionary::parse("x y\n\xEF\xBB\xBFz w"), u"\xFEFFz"), u"w");
}

TEST(UserDictionaryFile, AFileSavedInCodePage1251IsReadAsSuch) {
    // "ёлка ё+лка" and "Ґанок ґа+нок" as an old editor saves them.
    const UserDictionary dictionary = UserDictionary::parse("\xB8\xEB\xEA\xE0 \xB8+\xEB\xEA\xE0\r\n\xA5\xE0\xED\xEE\xEA \xB4\xE0+\xED\xEE\xEA");
    EXPECT_EQ(pronunciation_of(dictionary, u"ёлка"), u"ё+лка");
    EXPECT_EQ(pronunciation_of(dictionary, u"ґанок"), u"ґа+нок");
}

TEST(UserDictionaryFile, LaterLinesWin) {
    const UserDictionary dictionary = UserDictionary::parse("дом до+м\nДОМ дом+\nдом д+ом x");
    EXPECT_EQ(pronunciation_of(dictionary, u"дом"), u"д+ом");
    EXPECT_EQ(dictionary.size(), 1u);
}

TEST(UserDictionaryFile, HostileBytesGiveADictionary) {
    EXPECT_TRUE(UserDictionary::parse("").empty());
    EXPECT_TRUE(UserDictionary::parse("\xEF\xBB\xBF").empty());
    // A line that is not UTF-8: read as code page 1251 (lower-cased), with no
    // U+FFFD anywhere; the next line, valid UTF-8, stays UTF-8.
    const UserDictionary broken = UserDictionary::parse(std::string("\xC3\x28 \xFF\0x\n\xE2\x82\x98", 10));
    EXPECT_EQ(pronunciation_of(broken, u"г("), std::u16string(u"я\0x", 3));
    EXPECT_EQ(pronunciation_of(broken, u"\u2098"), u"");
    EXPECT_EQ(pronunciation_of(UserDictionary::parse("\xE2\x82\x98\xFF"), u"в\u201A\u0098я"), u"");
    EXPECT_EQ(UserDictionary::parse(std::string(100000, ' ')).size(), 1u);
    EXPECT_EQ(UserDictionary::parse(std::string(100000, '\n')).size(), 1u);
}

class UserDictionaryReload : public test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        file = folder / kUserDictionaryFileName;
    }
    fs::path file;
};

TEST_F(UserDictionaryReload, AMissingFileKeepsTheOldEntriesAndClearEmpties) {
    Published<UserDictionary> published;
    EXPECT_TRUE(published.get()->empty());
    EXPECT_FALSE(load_user_dictionary(file).has_value());

    ASSERT_TRUE(write_file_atomic(file, "\xEF\xBB\xBFцска цэ+ска"));
    EXPECT_TRUE(reload_user_dictionary(published, file));
    const auto before = published.get();
    EXPECT_EQ(pronunciation_of(*before, u"цска"), u"цэ+ска");

    fs::remove(file);
    EXPECT_FALSE(reload_user_dictionary(published, file));
    EXPECT_EQ(published.get(), before);

    clear_user_dictionary(published);
    EXPECT_TRUE(published.get()->empty());
    EXPECT_EQ(pronunciation_of(*before, u"цска"), u"цэ+ска");  // a snapshot outlives the clear
}

TEST_F(UserDictionaryReload, AfterASettingsReloadTheSettingDecides) {
    Published<UserDictionary> published;
    ASSERT_TRUE(write_file_atomic(file, "слово сло+во"));
    refresh_user_dictionary(published, 3, file);
    EXPECT_EQ(pronunciation_of(*published.get(), u"слово"), u"сло+во");

    fs::remove(file);
    refresh_user_dictionary(published, 2, file);  // the file is gone: the entries stay
    EXPECT_EQ(pronunciation_of(*published.get(), u"слово"), u"сло+во");

    ASSERT_TRUE(write_file_atomic(file, "слово сло+во"));
    refresh_user_dictionary(published, 1, file);
    EXPECT_TRUE(published.get()->empty());
}

TEST_F(UserDictionaryReload, AnEmptyFileEmptiesTheDictionary) {
    Published<UserDictionary> published;
    published.publish(UserDictionary::parse("а б"));
    ASSERT_TRUE(write_file_atomic(file, ""));
    EXPECT_TRUE(reload_user_dictionary(published, file));
    EXPECT_TRUE(published.get()->empty());
}

TEST(ApplyUserDictionary, ReplacesWholeWordsAndLowerCasesEveryWord) {
    const UserDictionary dictionary =
        UserDictionary::parse("ракетоплан ракетопла+н\nкто-то кто+-то\nма ма+\nxbox и+кс\nнуль ");
    EXPECT_EQ(apply_user_dictionary(u"Ракетоплан взлетел", dictionary), u"ракетопла+н взлетел");
    EXPECT_EQ(apply_user_dictionary(u"ракетоплан-2", dictionary), u"ракетопла+н-2");
    EXPECT_EQ(apply_user_dictionary(u"Кто-то", dictionary), u"кто-то");
    EXPECT_EQ(apply_user_dictionary(u"ракетопланы ракетопла", dictionary), u"ракетопланы ракетопла");
    EXPECT_EQ(apply_user_dictionary(u"ма+ма", dictionary), u"ма++ма+");  // "+" ends a word
    EXPECT_EQ(apply_user_dictionary(u"XBOX,xboxы", dictionary), u"и+кс,xboxы");
    EXPECT_EQ(apply_user_dictionary(u"а нуль б", dictionary), u"а  б");
    EXPECT_EQ(apply_user_dictionary(u"", dictionary), u"");
}

TEST(ApplyUserDictionary, AnEmptyDictionaryOnlyLowerCases) {
    EXPECT_EQ(apply_user_dictionary(u"Привет Мир", UserDictionary()), u"привет мир");
    EXPECT_EQ(apply_user_dictionary(u"ЇЖАК Ґ 7Б", UserDictionary()), u"їжак ґ 7б");
}

TEST(ApplyUserDictionary, LeavesTheLastRowsOfTheWorkedExamplesAsTheyAre) {
    const std::u16string_view russian =
        u" цэ  эс  ка  а  амперсанд  эр  жэ  дэ :  2 ноля 7 ,  ксboкс  3: ноль 5";
    EXPECT_EQ(apply_user_dictionary(russian, UserDictionary::parse("цска цэ+ска")), russian);
    const std::u16string_view ukrainian = u"тсина  ноль .5 ,  гэ  эр  эн ";
    EXPECT_EQ(apply_user_dictionary(ukrainian, UserDictionary()), ukrainian);
}

TEST(ApplyUserDictionary, RunsInThePipelineOnlyFromSettingTwo) {
    const PronunciationTables tables{};
    const UserDictionary dictionary = UserDictionary::parse("ракетоплан ракетопла+н");
    const auto prepare = [&](std::u16string_view text, int32_t use_dictionary) {
        return prepare_text(text, PrepareContext{kRussianLanguage, use_dictionary, 0, tables, dictionary});
    };
    EXPECT_EQ(prepare(u"ракетоплан-2", 2), u"ракетопла+н-2");
    EXPECT_EQ(prepare(u"ракетоплан-2", 3), u"ракетопла+н-2");
    EXPECT_EQ(prepare(u"Ракетоплан-2", 1), u" Ракетоплан-2");  // a capital before a small letter starts a word
    EXPECT_EQ(prepare(u"Ракетоплан-2", 0), u" Ракетоплан-2");
}

// Ukrainian voices find the user's words as written, whatever form their
// apostrophe takes in the file or the text, before the symbol and spelling
// stages change them; the rest of the text, and every word without an entry,
// is prepared as without the dictionary. Russian voices find no word with an
// apostrophe.
TEST(ApplyUserDictionary, UkrainianVoicesFindWordsAsWritten) {
    const UserDictionary dictionary =
        UserDictionary::parse("п'ять пъя+ть\nсім\u2019я симъя+\nоб\u02BCєкт объе+кт\nціна тсина+");
    const auto prepare = [&dictionary](std::u16string_view language, std::u16string_view text, bool entries) {
        const PronunciationTables tables = default_pronunciation_tables(language);
        const UserDictionary none;
        return prepare_text(text, PrepareContext{language, 2, 0, tables, entries ? dictionary : none});
    };
    const std::u16string_view apostrophes = u"П'ять: сім\u2019я, 5об'єкт і п\u2019ять (м'ясо, зв'язок, п'яте)";
    const std::u16string text = std::u16string(apostrophes) + u" Ціна";
    EXPECT_EQ(prepare(kUkrainianLanguage, text, true),
              u"пъя+ть: симъя+, 5 объе+кт и пъя+ть  м ясо, звъязок, п ятэ  тсина+");
    EXPECT_EQ(prepare(kUkrainianLanguage, text, false),
              u"п ять: сим я, 5 об ект и п ять  м ясо, звъязок, п ятэ  тсина");
    EXPECT_EQ(prepare(kRussianLanguage, apostrophes, true), prepare(kRussianLanguage, apostrophes, false));
}

// Two speak requests run the pipeline on snapshots while the watcher reloads
// and clears the dictionary; every result is that of one whole dictionary.
// Meant for the thread-sanitizer build.
class UserDictionaryConcurrency : public UserDictionaryReload {};

TEST_F(UserDictionaryConcurrency, ReloadAndClearWhileRequestsRun) {
    ASSERT_TRUE(write_file_atomic(file, "ракетоплан ракетопла+н\nвзлетел взлете+л\n"));
    const std::u16string text = u"Ракетоплан взлетел в 07.05, ракетоплан сел.";
    const PronunciationTables tables{};
    const auto prepare = [&](const UserDictionary& dictionary) {
        return prepare_text(text, PrepareContext{kRussianLanguage, 2, 0, tables, dictionary});
    };
    const std::u16string with_entries = prepare(*load_user_dictionary(file));
    const std::u16string without_entries = prepare(UserDictionary());
    ASSERT_NE(with_entries, without_entries);

    Published<UserDictionary> published;
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::atomic<int> requests{0};
    const auto speak = [&] {
        while (!done.load()) {
            const std::shared_ptr<const UserDictionary> snapshot = published.get();
            const std::u16string result = prepare(*snapshot);
            if (result != with_entries && result != without_entries) ++wrong;
            ++requests;
        }
    };
    std::thread first(speak);
    std::thread second(speak);
    while (requests.load() < 2) std::this_thread::yield();  // both requests are under way
    int failed_reloads = 0;
    for (int i = 0; i < 1000; ++i) {
        if (!reload_user_dictionary(published, file)) ++failed_reloads;
        clear_user_dictionary(published);
    }
    done = true;
    first.join();
    second.join();
    EXPECT_EQ(failed_reloads, 0);
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace vl
