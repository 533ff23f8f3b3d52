#include "store/settings_file.h"

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

const std::string bom = "\xEF\xBB\xBF";

SettingsFile parse(std::string_view bytes, SettingsLayout layout = SettingsLayout::group_separator) {
    return SettingsFile::parse(bytes, layout);
}

TEST(SettingsFileReading, LineEndsBlanksHeadersCommentsAndKeys) {
    SettingsFile file = parse(bom +
                              "\r\n\t [General] trailing text\r"
                              ";  two blanks\n"
                              "  \t\r\n"
                              "\tsample_rate \t=\t 11000 \t\r\n"
                              "novalue\n"
                              "pause=\n"
                              "[open header\n"
                              "last = line without end");
    EXPECT_EQ(file.group_names(), (std::vector<std::u16string>{u"General", u"open header"}));
    ASSERT_TRUE(file.select_group(u"General"));
    EXPECT_EQ(file.entries(), (std::vector<SettingsEntry>{{u"sample_rate", u"11000"}, {u"novalue", u""}, {u"pause", u""}}));
    ASSERT_TRUE(file.select_group(u"open header"));
    EXPECT_EQ(file.read(u"last"), u"line without end");
    EXPECT_FALSE(file.modified());
    // Written back: empty and blank-only lines are gone, one blank follows ";".
    EXPECT_EQ(file.to_bytes(), bom +
                                   "\r\n[General]\r\n;  two blanks\r\nsample_rate = 11000\r\nnovalue = \r\npause = \r\n"
                                   "\r\n[open header]\r\nlast = line without end\r\n");
}

TEST(SettingsFileReading, EncodingFollowsUtf8ValidityLineByLineThenCodePage1251) {
    // With the mark: UTF-8.
    SettingsFile marked = parse(bom + "[g]\nб = \xD0\xB1\xD1\x8D\n");
    marked.select_group(u"g");
    EXPECT_EQ(marked.read(u"б"), u"бэ");
    // Without the mark but valid UTF-8: still UTF-8, so Cyrillic survives a rewrite.
    SettingsFile unmarked = parse("[g]\n; \xD0\xBA\xD0\xBE\xD0\xBC\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\n");
    EXPECT_EQ(unmarked.to_bytes(), bom + "\r\n[g]\r\n; \xD0\xBA\xD0\xBE\xD0\xBC\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\r\n");
    // A line that is not valid UTF-8 is code page 1251, its neighbours stay
    // UTF-8; written back as UTF-8 with the mark.
    SettingsFile mixed = parse("[g]\nk = \xE1\xFD\nu = \xD0\xB1\n");
    mixed.select_group(u"g");
    EXPECT_EQ(mixed.read(u"k"), u"бэ");
    EXPECT_EQ(mixed.read(u"u"), u"б");
    EXPECT_EQ(mixed.to_bytes(), bom + "\r\n[g]\r\nk = \xD0\xB1\xD1\x8D\r\nu = \xD0\xB1\r\n");
}

TEST(SettingsFileMatching, LatinLettersOnlyIgnoreCaseAndKeysStayInTheirGroup) {
    SettingsFile file = parse(bom + "top = 1\n[GENERAL]\nSAMPLE_RATE = 11000\nБ = x\n[other]\npause = 5\n");
    EXPECT_EQ(file.read(u"top"), u"1");  // before select_group: the lines before the first header
    EXPECT_TRUE(file.select_group(u"general"));
    EXPECT_EQ(file.read(u"sample_rate"), u"11000");
    EXPECT_FALSE(file.read(u"б").has_value());
    EXPECT_EQ(file.read(u"Б"), u"x");
    EXPECT_FALSE(file.read(u"pause").has_value());
    EXPECT_FALSE(file.read(u"top").has_value());
    EXPECT_EQ(file.read_int(u"pause", -1), -1);
    EXPECT_FALSE(file.select_group(u"gеneral"));  // Cyrillic "е"
    EXPECT_TRUE(file.has_group(u"OTHER"));
}

TEST(SettingsFileWriting, ReplacesInPlaceAppendsToGroupAndCreatesGroupsAtTheEnd) {
    SettingsFile file = parse(bom + "[General]\n; about a\na = 1\n; about b\nb = 2\n[symbols]\n$ = dollar:1\n");
    EXPECT_FALSE(file.select_group(u"english_letters"));
    EXPECT_FALSE(file.modified());  // selecting a missing group creates nothing yet
    file.select_group(u"general");
    file.write(u"A", u"10");
    file.write_int(u"c", -3);
    file.write_comment(u"  added");
    file.select_group(u"english_letters");
    file.write_comment(u"letters");
    file.write(u"x", u"экс");
    EXPECT_EQ(file.to_bytes(), bom +
                                   "\r\n[General]\r\n; about a\r\na = 10\r\n; about b\r\nb = 2\r\nc = -3\r\n;   added\r\n"
                                   "\r\n[symbols]\r\n$ = dollar:1\r\n"
                                   "\r\n[english_letters]\r\n; letters\r\nx = \xD1\x8D\xD0\xBA\xD1\x81\r\n");
}

TEST(SettingsFileWriting, PlainLayoutAndGroupRemoval) {
    SettingsFile file = parse(bom + "[General]\na = 1\n[symbols]\n; c\n$ = d\n[Symbols]\n& = e\n[tail]\nz = 9\n",
                              SettingsLayout::plain);
    EXPECT_TRUE(file.remove_group(u"SYMBOLS"));
    EXPECT_FALSE(file.remove_group(u"symbols"));
    EXPECT_EQ(file.to_bytes(), bom + "\r\n[General]\r\na = 1\r\n[tail]\r\nz = 9\r\n");
    EXPECT_EQ(SettingsFile(SettingsLayout::plain).to_bytes(), bom + "\r\n");
}

TEST(SettingsFileWriting, ReadingIntegersTheCWay) {
    EXPECT_EQ(parse_decimal(u"11025"), 11025);
    EXPECT_EQ(parse_decimal(u"  -5x"), -5);
    EXPECT_EQ(parse_decimal(u"+7"), 7);
    EXPECT_EQ(parse_decimal(u"abc"), 0);
    EXPECT_EQ(parse_decimal(u"- 5"), 0);
    EXPECT_EQ(parse_decimal(u""), 0);
    EXPECT_EQ(parse_decimal(u"99999999999999999999"), 2147483647);
    EXPECT_EQ(parse_decimal(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parse_decimal(u"-99999999999999999999"), -2147483647 - 1);
}

class SettingsFileOnDisk : public test::TempFolderTest {
protected:
};

TEST_F(SettingsFileOnDisk, CloseRewritesOnlyWhenModified) {
    const fs::path path = folder / "prefs.ini";
    ASSERT_TRUE(write_file_atomic(path, "[g]\r\nk=v"));
    std::optional<SettingsFile> file = SettingsFile::open(path, SettingsLayout::group_separator);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->close());
    EXPECT_EQ(read_file(path), "[g]\r\nk=v");
    file->select_group(u"g");
    file->write(u"k", u"v");  // the value it has: nothing to write
    EXPECT_TRUE(file->close());
    EXPECT_EQ(read_file(path), "[g]\r\nk=v");
    file->write(u"k", u"w");
    EXPECT_TRUE(file->close());
    EXPECT_EQ(read_file(path), bom + "\r\n[g]\r\nk = w\r\n");
}

TEST_F(SettingsFileOnDisk, CreateReplacesAndFailuresAreReported) {
    const fs::path path = folder / "prefs.ini";
    ASSERT_TRUE(write_file_atomic(path, "[old]\r\n; lost\r\n"));
    SettingsFile created = SettingsFile::create(path, SettingsLayout::group_separator);
    created.select_group(u"General");
    created.write_int(u"pause", -1);
    EXPECT_TRUE(created.close());
    EXPECT_EQ(read_file(path), bom + "\r\n[General]\r\npause = -1\r\n");

    EXPECT_FALSE(SettingsFile::open(folder / "missing.ini", SettingsLayout::plain));
    EXPECT_FALSE(SettingsFile::open(folder, SettingsLayout::plain));
    EXPECT_FALSE(SettingsFile::create(folder / "no" / "folder.ini", SettingsLayout::plain).close());
}

TEST(SettingsFileStorage, WhatAKeyLineCannotHoldIsNamedAndAnEmptyGroupIsKept) {
    EXPECT_EQ(unstorable_key_position(u"€"), 0u);
    EXPECT_EQ(unstorable_key_position(u""), 0u);
    EXPECT_EQ(unstorable_key_position(u"["), 1u);
    EXPECT_EQ(unstorable_key_position(u";x"), 1u);
    EXPECT_EQ(unstorable_key_position(u"a=b"), 2u);
    EXPECT_EQ(unstorable_key_position(u" a"), 1u);
    EXPECT_EQ(unstorable_key_position(u"a\t"), 2u);
    EXPECT_EQ(unstorable_key_position(u"a[b;c d"), 0u);
    EXPECT_EQ(unstorable_key_position(u"ab\r"), 3u);
    EXPECT_EQ(unstorable_value_position(u"=; [x"), 0u);
    EXPECT_EQ(unstorable_value_position(u"x "), 2u);
    EXPECT_EQ(unstorable_value_position(u"x\ny"), 2u);
    EXPECT_EQ(unstorable_value_position(std::u16string(u"a") + char16_t(0xDC00)), 2u);

    // What the rule lets through reads back exactly.
    SettingsFile file;
    file.select_or_add_group(u"empty");
    file.select_group(u"full");
    for (std::u16string_view key : {u"a[b", u"x;", u"€ €", u"\U0001F600"}) {
        ASSERT_EQ(unstorable_key_position(key), 0u);
        file.write(key, u"=; v a l");
    }
    SettingsFile again = SettingsFile::parse(file.to_bytes(), SettingsLayout::group_separator);
    EXPECT_TRUE(again.select_group(u"empty"));
    EXPECT_TRUE(again.entries().empty());
    EXPECT_TRUE(again.select_group(u"full"));
    EXPECT_EQ(again.entries(), file.entries());
}

}  // namespace
}  // namespace vl
