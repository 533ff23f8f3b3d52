#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "stress/stress_lookup.h"
#include "stress/tests/stress_fixture.h"
#include "platform/module_folder.h"
#include "stress/xlat/recode.h"

namespace vl::dict {
namespace {

using test::cp1251;
using test::utf8;

class StressTextTest : public test::StressDictionaryTest {
protected:
    void SetUp() override {
        StressDictionaryTest::SetUp();
        add_records({{cp1251("мама"), "\x03"},
                     {cp1251("замок"), "\x02"},
                     {cp1251("замок0"), "\x04"},
                     {cp1251("пила"), "\x03"},
                     {cp1251("пила0"), cp1251("пила")},
                     {cp1251("чтото"), "\x04"},
                     {cp1251("по русски"), cp1251("по-ру+сски")},
                     {cp1251("ма+ма"), cp1251("МА+МА")},
                     {cp1251("абвгде"), std::string("\x02\x04", 2)},
                     {cp1251("ёж"), "\x02"},
                     {cp1251("ох"), "ok"},
                     {cp1251("ну"), ""}});
        begin_recording();
    }
    std::vector<std::pair<int32_t, std::string>> words() {
        std::vector<std::pair<int32_t, std::string>> result;
        for (const auto& [position, word] : recorded.words) result.emplace_back(position, utf8(word));
        return result;
    }
};

TEST_F(StressTextTest, FoundWordsAreStressedAndEveryLetterLowered) {
    EXPECT_EQ(stressed("Мама мыла раму"), "ма+ма мыла раму");
    EXPECT_EQ(words(), (std::vector<std::pair<int32_t, std::string>>{{1, "ма+ма"}, {6, "мыла"}, {11, "раму"}}));
    EXPECT_EQ(stressed("АБВГДЕ, ЁЖ!"), "а+бв+где, ё+ж!");
    EXPECT_EQ(stressed("ох ну и мама"), "ok  и ма+ма");  // replacement text; empty data removes the word
}

TEST_F(StressTextTest, ProbeRecordThatDiffersFromTheWordLeavesItUnstressed) {
    EXPECT_EQ(stressed("Замок"), "замок");
    EXPECT_EQ(words(), (std::vector<std::pair<int32_t, std::string>>{{1, "замок"}}));
    EXPECT_EQ(stressed("пила"), "пи+ла");  // a probe record holding the bare word
}

TEST_F(StressTextTest, HyphensAfterLettersAreDeletedAndJoinTheNextCharacter) {
    EXPECT_EQ(stressed("что-то мама"), "что+то ма+ма");
    // Positions count in the text after the hyphen went.
    EXPECT_EQ(words(), (std::vector<std::pair<int32_t, std::string>>{{1, "что+то"}, {7, "ма+ма"}}));
    EXPECT_EQ(stressed("по- русски"), "по-ру+сски");
    EXPECT_EQ(stressed("мама-"), "ма+ма");
    // The joined character is not lowered.
    EXPECT_EQ(stressed("ПО-РУССКИ"), "поРусски");
    // A hyphen after a non-letter separates.
    EXPECT_EQ(stressed("- мама -"), "- ма+ма -");
    EXPECT_EQ(stressed("1-мама"), "1-ма+ма");
}

TEST_F(StressTextTest, MarksAfterVowelsBelongToTheWord) {
    EXPECT_EQ(stressed("ма+ма"), "МА+МА");
    recorded.words.clear();
    // After a consonant they separate: one-letter words are neither looked up nor reported.
    EXPECT_EQ(stressed("М+АМА= Я"), "м+ама= я");
    EXPECT_EQ(words(), (std::vector<std::pair<int32_t, std::string>>{{3, "ама="}}));
}

TEST_F(StressTextTest, LatinDigitsAndPunctuationPassThroughWithoutLookups) {
    EXPECT_EQ(stressed("Hello, World 42! \x01"), "Hello, World 42! \x01");
    EXPECT_TRUE(recorded.words.empty());
    EXPECT_EQ(stressed(""), "");
}

TEST_F(StressTextTest, Utf8TextComesBackInUtf8WithWordsInCodePage1251) {
    run(SD_CODE_PAGE, xlat::kUtf8CodePage);
    const std::string text = "Мама мыла раму";
    ASSERT_EQ(run(SD_STRESS, text), 0);
    ASSERT_EQ(recorded.texts.size(), 1u);
    EXPECT_EQ(recorded.texts[0], "ма+ма мыла раму");
    ASSERT_FALSE(recorded.words.empty());
    EXPECT_EQ(recorded.words[0].second, cp1251("ма+ма"));
    // A character beyond one UTF-16 unit (an emoji) counts as one "?", and the
    // rest of the text is kept, positions included.
    recorded.words.clear();
    ASSERT_EQ(run(SD_STRESS, std::string("\xF0\x9F\x98\x80 мама \xF0\x9F\x98\x80мама")), 0);
    EXPECT_EQ(recorded.texts.back(), "? ма+ма ?ма+ма");
    EXPECT_EQ(words(), (std::vector<std::pair<int32_t, std::string>>{{3, "ма+ма"}, {9, "ма+ма"}}));
    // Text the conversion cannot take becomes empty.
    ASSERT_EQ(run(SD_STRESS, std::string("\xF8\x88\x80\x80\x80 мама")), 0);
    EXPECT_EQ(recorded.texts.back(), "");
}

TEST_F(StressTextTest, CustomCodeTableConvertsBothWays) {
    const std::filesystem::path table = module_folder() / "cp866.txt";
    std::string lines;
    for (int b = 0; b < 256; ++b) {
        const std::u16string unit = xlat::text_to_wide(std::string(1, static_cast<char>(b)), 866);
        char line[64];
        std::snprintf(line, sizeof line, "0x%02X\t0x%04X\t# %d\n", b, static_cast<unsigned>(unit[0]), b);
        lines += line;
    }
    std::ofstream(table, std::ios::binary) << lines;
    run(SD_CODE_PAGE, -866);
    std::string text = cp1251("Мама мыла раму");
    xlat::recode_text(text, 1251, 866);
    ASSERT_EQ(run(SD_STRESS, text), 0);
    std::filesystem::remove(table);
    ASSERT_EQ(recorded.texts.size(), 1u);
    std::string back = recorded.texts[0];
    xlat::recode_text(back, 866, 1251);
    EXPECT_EQ(utf8(back), "ма+ма мыла раму");
}

// A text of many thousand words is looked up under read transactions renewed
// along the way: the output is the same, byte for byte, as looking each word up
// on its own, and no transaction is left open afterwards.
class LongTextTest : public test::StressDictionaryTest {};

TEST_F(LongTextTest, GivesWhatOneByOneLookupsGive) {
    const std::string letters = cp1251("абвгдежзиклмнопрстуфхцчшщыэюя");
    std::vector<std::pair<std::string, std::string>> records;
    std::vector<std::string> words;
    for (size_t i = 0; i < 9000; ++i) {
        std::string word;
        for (size_t n = i + 1; n > 0; n /= letters.size()) word += letters[n % letters.size()];
        word += letters[i % 7];
        words.push_back(word);
        if (i % 5 == 4) continue;  // not in the dictionary
        static const std::string kinds[] = {"\x02", std::string("\x01\x03", 2), "xyz", word};
        records.emplace_back(word, kinds[i % 4]);
        if (i % 11 == 0) records.emplace_back(word + '0', "\x01");  // a probe that leaves it unstressed
    }
    add_records(records);
    begin_recording();
    std::string text, expected;
    for (const std::string& word : words) {
        text += word + ' ';
        const std::string found = lookup_word(state.store.main_cursor, word + '0') == word
                                      ? lookup_word(state.store.main_cursor, word)
                                      : word;
        expected += found + ' ';
    }
    ASSERT_EQ(run(SD_STRESS, text), 0);
    ASSERT_EQ(recorded.texts.size(), 1u);
    EXPECT_TRUE(recorded.texts[0] == expected);
    EXPECT_EQ(recorded.words.size(), words.size());

    DictionaryStore writer;
    ASSERT_EQ(open_dictionary(writer, path), SD_DONE);
    EXPECT_EQ(write_info_count(writer, "count", 1), 0);  // a commit needs every reader gone
    close_dictionary(writer);
}

}  // namespace
}  // namespace vl::dict
