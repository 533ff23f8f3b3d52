#include "base/utf.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Utf, RoundTripsCyrillicAndAstralCharacters) {
    const std::string text = "Привет, мир! ґЇ … 😀";
    const std::u16string wide = utf8_to_utf16(text);
    EXPECT_EQ(wide, u"Привет, мир! ґЇ … 😀");
    EXPECT_EQ(utf16_to_utf8(wide), text);
}

TEST(Utf, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(utf8_to_utf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf8_to_utf16("\xC0\xAF"), u"\uFFFD\uFFFD");     // overlong "/"
    EXPECT_EQ(utf8_to_utf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(utf8_to_utf16("\xD0"), u"\uFFFD");                // cut short
}

TEST(Utf, UnpairedSurrogateBecomesReplacementCharacter) {
    EXPECT_EQ(utf16_to_utf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(Utf, ValidityCheck) {
    EXPECT_TRUE(is_valid_utf8("Ёлка"));
    EXPECT_TRUE(is_valid_utf8(""));
    EXPECT_FALSE(is_valid_utf8("\xC0\x80"));
    EXPECT_FALSE(is_valid_utf8("\xE9t\xE9"));  // ISO-8859-1 "été"
}

}  // namespace
}  // namespace vl
