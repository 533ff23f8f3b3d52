#include "platform/module_folder.h"
#include "stress/xlat/recode.h"
#include "stress/xlat/utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace vl::xlat {
namespace {

namespace fs = std::filesystem;

std::string recoded(std::string text, int32_t from, int32_t to) {
    recode_text(text, from, to);
    return text;
}

// Every letter of the Russian and Ukrainian alphabets, both cases.
std::u16string all_letters() {
    std::u16string letters;
    for (char16_t c = u'А'; c <= u'я'; ++c) letters += c;
    return letters + u"ЁёҐґЄєІіЇї";
}

std::string letters_utf8() { return encode_utf8(all_letters()); }

TEST(Recode, SameCodePageLeavesEveryByteAlone) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(recoded(all, 1251, 1251), all);
    EXPECT_EQ(recoded("", 65001, 1251), "");
}

TEST(Recode, Utf8AndCodePage1251RoundTripEveryLetter) {
    const std::string utf8 = letters_utf8();
    const std::string cp1251 = recoded(utf8, kUtf8CodePage, 1251);
    EXPECT_EQ(cp1251.size(), all_letters().size());
    EXPECT_EQ(cp1251.substr(0, 2), "\xC0\xC1");
    EXPECT_EQ(cp1251.substr(64), "\xA8\xB8\xA5\xB4\xAA\xBA\xB2\xB3\xAF\xBF");
    EXPECT_EQ(recoded(cp1251, 1251, kUtf8CodePage), utf8);
}

TEST(Recode, CharacterBeyondOneUnitBecomesAQuestionMark) {
    EXPECT_EQ(recoded("\xD0\x9C\xD0\xB0 \xF0\x9F\x98\x80!", kUtf8CodePage, 1251), "\xCC\xE0 ?!");
    EXPECT_EQ(recoded("\xF0\x9F\x98\x80", kUtf8CodePage, kUtf8CodePage), "\xF0\x9F\x98\x80");  // untouched
}

TEST(Recode, InvalidUtf8BecomesEmpty) {
    EXPECT_EQ(recoded("\xD0\x9C\xD0\xB0 \xF8\x88\x80\x80\x80", kUtf8CodePage, 1251), "");
    EXPECT_EQ(text_to_wide("\xC3", kUtf8CodePage), u"");
}

TEST(Recode, CodePage1251ConvertsAsWindowsDoes) {
    EXPECT_EQ(text_to_wide("\x98\x88\xB9\xA0", 1251), u"\u0098\u20AC\u2116\u00A0");
    EXPECT_EQ(wide_to_text(u"\u0098\u20AC\u2116", 1251), "\x98\x88\xB9");
    // Best fit for Latin letters with marks, the default character for the rest.
    EXPECT_EQ(wide_to_text(u"\u00C0\u00E9\u4E00\U0001F600", 1251), "Ae???");
}

TEST(Recode, OtherCyrillicCodePagesMeetCodePage1251) {
    const std::string word = "\xCF\xF0\xE8\xE2\xE5\xF2 \xB8\xEB\xEA\xE0";  // Привет ёлка
    EXPECT_EQ(recoded(word, 1251, 866), "\x8F\xE0\xA8\xA2\xA5\xE2 \xF1\xAB\xAA\xA0");
    EXPECT_EQ(recoded(word, 1251, 20866), "\xF0\xD2\xC9\xD7\xC5\xD4 \xA3\xCC\xCB\xC1");
    EXPECT_EQ(recoded(word, 1251, 28595), "\xBF\xE0\xD8\xD2\xD5\xE2 \xF1\xDB\xDA\xD0");
    for (int32_t code_page : {866, 20866, 28595})
        EXPECT_EQ(recoded(recoded(word, 1251, code_page), code_page, 1251), word) << code_page;
    EXPECT_EQ(recoded("\xC0\xE9", 1252, 1250), "A\xE9");  // À best-fits to A in 1250, é stays
}

class CustomTableTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& file : written) fs::remove(file);
    }
    void write(int id, const std::string& text) {
        written.push_back(module_folder() / ("cp" + std::to_string(id) + ".txt"));
        std::ofstream(written.back(), std::ios::binary) << text;
    }
    std::vector<fs::path> written;
};

TEST_F(CustomTableTest, Table866BesideTheLibraryConvertsBothWays) {
    std::string file;
    for (int b = 0; b < 256; ++b) {
        const std::u16string unit = text_to_wide(std::string(1, static_cast<char>(b)), 866);
        char line[64];
        std::snprintf(line, sizeof line, "0x%02X\t0x%04X\t# %d\r\n", b, static_cast<unsigned>(unit[0]), b);
        file += line;
    }
    write(866, "# byte\tunit\tcomment\r\n" + file);
    const std::string word = "\xCF\xF0\xE8\xE2\xE5\xF2, \xB8\xEB\xEA\xE0!";  // Привет, ёлка!
    const std::string in_866 = recoded(word, 1251, -866);
    EXPECT_EQ(in_866, "\x8F\xE0\xA8\xA2\xA5\xE2, \xF1\xAB\xAA\xA0!");
    EXPECT_EQ(recoded(in_866, -866, 1251), word);
    // Code page 866 has every Russian letter (not Ґ or І).
    const std::string russian = encode_utf8(all_letters().substr(0, 66));
    EXPECT_EQ(recoded(recoded(russian, kUtf8CodePage, -866), -866, kUtf8CodePage), russian);
}

TEST_F(CustomTableTest, MissingTableGivesEmptyTextAndIsLookedForAgain) {
    const int id = 5;
    fs::remove(module_folder() / "cp5.txt");
    EXPECT_EQ(recoded("abc", 1251, -id), "");
    EXPECT_EQ(text_to_wide("abc", -id), u"");
    write(id, "0xC0\t0x0410\tA\n");
    EXPECT_EQ(recoded("\xC0" "b", 1251, -id), "\xC0?");
    EXPECT_EQ(text_to_wide("\xC0" "b?", -id), std::u16string(u"\u0410b") + u'\0');
    EXPECT_EQ(recoded("x", 1251, INT32_MIN), "");
}

}  // namespace
}  // namespace vl::xlat
