#include "base/cp1251.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Cp1251, EveryDefinedByteRoundTrips) {
    int defined = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const auto c = cp1251_to_unicode(static_cast<uint8_t>(byte));
        if (!c) continue;
        ++defined;
        EXPECT_EQ(unicode_to_cp1251(*c), byte) << byte;
    }
    EXPECT_EQ(defined, 255);
    EXPECT_FALSE(cp1251_to_unicode(0x98).has_value());
}

TEST(Cp1251, KnownPositions) {
    EXPECT_EQ(unicode_to_cp1251(u'Ё'), 0xA8);
    EXPECT_EQ(unicode_to_cp1251(u'ё'), 0xB8);
    EXPECT_EQ(unicode_to_cp1251(u'і'), 0xB3);
    EXPECT_EQ(unicode_to_cp1251(u'ґ'), 0xB4);
    EXPECT_EQ(unicode_to_cp1251(u'—'), 0x97);
    EXPECT_EQ(unicode_to_cp1251(u'№'), 0xB9);
    EXPECT_FALSE(unicode_to_cp1251(u'é').has_value());
    EXPECT_FALSE(unicode_to_cp1251(char16_t(0x0500)).has_value());
}

TEST(Cp1251, TextThatIsNotUtf8IsReadAsCodePage1251WithoutReplacementCharacters) {
    EXPECT_EQ(utf8_or_cp1251_to_utf16("ёлка"), u"ёлка");  // valid UTF-8 stays UTF-8
    EXPECT_EQ(utf8_or_cp1251_to_utf16("\xB8\xEB\xEA\xE0 \xA5\x98"), u"ёлка Ґ\u0098");
    EXPECT_EQ(utf8_or_cp1251_to_utf16("\xEF\xBB"), u"п»");  // a cut UTF-8 sequence
    // Decided per line: one line in code page 1251 leaves the UTF-8 lines alone.
    EXPECT_EQ(utf8_or_cp1251_to_utf16("ёлка\r\n\xEA\xEE\xF2\nдом"), u"ёлка\r\nкот\nдом");
    EXPECT_EQ(utf8_or_cp1251_to_utf16(""), u"");
    std::string every_byte;
    for (int byte = 1; byte < 256; ++byte) every_byte += static_cast<char>(byte);
    const std::u16string text = utf8_or_cp1251_to_utf16(every_byte);
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.find(u'\xFFFD'), std::u16string::npos);
}

}  // namespace
}  // namespace vl
