#include "stress/xlat/utf8.h"

#include <gtest/gtest.h>

namespace vl::xlat {
namespace {

TEST(Utf8, DecodesOneToThreeByteSequences) {
    EXPECT_EQ(decode_utf8("a\xD0\x9C\xD0\xB0\xE2\x82\xAC"), u"aМа€");
    EXPECT_EQ(decode_utf8(""), u"");
    EXPECT_EQ(decode_utf8(std::string_view("\0", 1)), std::u16string(1, u'\0'));
    EXPECT_EQ(decode_utf8("\xEF\xBF\xBF"), u"\uFFFF");
}

TEST(Utf8, AcceptsOverlongFormsAndSurrogateUnits) {
    EXPECT_EQ(decode_utf8("\xC0\x80"), std::u16string(1, u'\0'));
    EXPECT_EQ(decode_utf8("\xC1\xBF"), u"\x7F");
    EXPECT_EQ(decode_utf8("\xE0\x81\x81"), u"A");
    EXPECT_EQ(decode_utf8("\xED\xA0\xBD\xED\xB8\x80"), std::u16string({char16_t(0xD83D), char16_t(0xDE00)}));
}

TEST(Utf8, FourByteSequenceBecomesOneQuestionMarkAndTheRestIsKept) {
    EXPECT_EQ(decode_utf8("ok \xF0\x9F\x98\x80 \xD0\x9C\xF4\x8F\xBF\xBF"), u"ok ? М?");
    EXPECT_EQ(decode_utf8("\xF0\x80\x80\x80\xF7\xBF\xBF\xBF"), u"??");  // overlong and beyond U+10FFFF
}

TEST(Utf8, MalformedInputFailsTheWholeText) {
    for (const char* text : {"ok \xF0\x9F\x98",  // four-byte sequence cut off
                             "\xF0\x9F\x41\x80", "\xF8\x88\x80\x80\x80", "\xFF", "\x80", "a\xBF" "b", "\xD0", "\xE2\x82", "\xD0\x41",
                             "\xE2\x41\x82", "\xE2\x82\xC0"})
        EXPECT_EQ(decode_utf8(text), std::nullopt) << text;
}

TEST(Utf8, EncodesEachUnitOnItsOwn) {
    EXPECT_EQ(encode_utf8(u"aМ€"), "a\xD0\x9C\xE2\x82\xAC");
    EXPECT_EQ(encode_utf8(u"\u07FF\u0800"), "\xDF\xBF\xE0\xA0\x80");
    const std::u16string pair = {char16_t(0xD83D), char16_t(0xDE00)};
    EXPECT_EQ(encode_utf8(pair), "\xED\xA0\xBD\xED\xB8\x80");
    EXPECT_EQ(encode_utf8(pair).size(), 6u);
}

TEST(Utf8, EveryUnitRoundTrips) {
    std::u16string all;
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) all += static_cast<char16_t>(unit);
    EXPECT_EQ(decode_utf8(encode_utf8(all)), all);
}

}  // namespace
}  // namespace vl::xlat
