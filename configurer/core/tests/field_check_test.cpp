#include "configurer/core/field_check.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(FindInvalidChar, ClassesAndExtraCharacters) {
    EXPECT_EQ(find_invalid_char(u"", kLatin, u""), 0u);
    EXPECT_EQ(find_invalid_char(u"abcXYZ", kLatin, u""), 0u);
    EXPECT_EQ(find_invalid_char(u"abж", kLatin, u""), 3u);
    EXPECT_EQ(find_invalid_char(u"Ѐӿԯ", kCyrillic, u""), 0u);  // U+0400..U+052F
    EXPECT_EQ(find_invalid_char(u"я\u0530", kCyrillic, u""), 2u);
    EXPECT_EQ(find_invalid_char(u"a1я", kLatin | kCyrillic, u""), 2u);
    EXPECT_EQ(find_invalid_char(u"a1я", kLatin | kCyrillic | kDigits, u""), 0u);
    EXPECT_EQ(find_invalid_char(u"%€ ", kNotAlphanumeric, u""), 0u);
    EXPECT_EQ(find_invalid_char(u"%5", kNotAlphanumeric, u""), 2u);
    EXPECT_EQ(find_invalid_char(u"%5", kNotAlphanumeric, u"5"), 0u);
    EXPECT_EQ(find_invalid_char(u"дже+й-а б", kCyrillic, u"+- "), 0u);
    const std::u16string long_text = std::u16string(70000, u'a') + u"!";
    EXPECT_EQ(find_invalid_char(long_text, kLatin, u""), 70001u);
}

TEST(FieldRules, EachListAllowsItsOwnCharacters) {
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::source, u"ж"), 1u);
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::source, u"Jj"), 0u);
    EXPECT_EQ(field_error_position(ListKind::CyrillicLetters, Field::source, u"жj"), 2u);
    EXPECT_EQ(field_error_position(ListKind::LatinCombinations, Field::source, u"th"), 0u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::source, u"wordслово"), 0u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::source, u"кто-то"), 4u);
    for (std::u16string_view symbol : {u"%", u"€", u"₽"})
        EXPECT_EQ(field_error_position(ListKind::Symbols, Field::source, symbol), 0u) << "symbol";
    for (std::u16string_view symbol : {u"a", u"ж", u"5", u";", u"[", u"=", u" ", u"\t"})
        EXPECT_EQ(field_error_position(ListKind::Symbols, Field::source, symbol), 1u) << "symbol";
    // Replacements: the user dictionary refuses the blank and allows "=", the others the reverse.
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::replacement, u"са+мо-про"), 0u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::replacement, u"эм тэ"), 3u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::replacement, u"а=б"), 0u);
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::replacement, u"да+блъ ю"), 0u);
    EXPECT_EQ(field_error_position(ListKind::Symbols, Field::replacement, u"а=б"), 2u);
    EXPECT_EQ(field_error_position(ListKind::CyrillicLetters, Field::replacement, u"бэ1"), 3u);
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::replacement, u""), 0u);
}

TEST(IsAlphanumeric, DigitsLatinAndCyrillic) {
    EXPECT_TRUE(is_alphanumeric(u'7'));
    EXPECT_TRUE(is_alphanumeric(u'Q'));
    EXPECT_TRUE(is_alphanumeric(u'ґ'));
    EXPECT_FALSE(is_alphanumeric(u'_'));
    EXPECT_FALSE(is_alphanumeric(u'é'));
    EXPECT_FALSE(is_alphanumeric(u'²'));
}

}  // namespace
}  // namespace vl
