#include "configurer/core/field_check.h"

#include <gtest/gtest.h>

#include "configurer/core/entry_storage.h"

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
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::source, u"ж", kRussian), 1u);
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::source, u"Jj", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::CyrillicLetters, Field::source, u"жj", kRussian), 2u);
    EXPECT_EQ(field_error_position(ListKind::LatinCombinations, Field::source, u"th", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::source, u"wordслово", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::source, u"кто-то", kRussian), 4u);
    for (std::u16string_view symbol : {u"%", u"€", u"₽"})
        EXPECT_EQ(field_error_position(ListKind::Symbols, Field::source, symbol, kRussian), 0u) << "symbol";
    for (std::u16string_view symbol : {u"a", u"ж", u"5", u";", u"[", u"=", u" ", u"\t"})
        EXPECT_EQ(field_error_position(ListKind::Symbols, Field::source, symbol, kRussian), 1u) << "symbol";
    // Replacements: the user dictionary refuses the blank and allows "=", the others the reverse.
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::replacement, u"са+мо-про", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::replacement, u"эм тэ", kRussian), 3u);
    EXPECT_EQ(field_error_position(ListKind::UserDictionaryList, Field::replacement, u"а=б", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::replacement, u"да+блъ ю", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::Symbols, Field::replacement, u"а=б", kRussian), 2u);
    EXPECT_EQ(field_error_position(ListKind::CyrillicLetters, Field::replacement, u"бэ1", kRussian), 3u);
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::replacement, u"", kRussian), 0u);
}

TEST(FieldRules, WhatTheFilesCannotHoldBackIsRefusedInEveryList) {
    // Settings-file keys: "[" or ";" first, "=" anywhere, blanks or tabs at either end, line ends.
    for (std::u16string_view symbol : {u"[", u";x", u"%=", u"% ", u"\t%"})
        EXPECT_NE(field_error_position(ListKind::Symbols, Field::source, symbol, kRussian), 0u) << "symbol";
    EXPECT_EQ(field_error_position(ListKind::Symbols, Field::source, u"%[", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::Symbols, Field::source, u"%=%", kRussian), 2u);
    // Values: blanks at either end, line ends, and in a symbol's name its ":".
    EXPECT_EQ(field_error_position(ListKind::LatinLetters, Field::replacement, u"эй ", kRussian), 3u);
    EXPECT_EQ(field_error_position(ListKind::CyrillicLetters, Field::replacement, u" бэ", kRussian), 1u);
    // A symbol's name is followed by ":when".
    EXPECT_EQ(field_error_position(ListKind::Symbols, Field::replacement, u"фунт ", kRussian), 0u);
    EXPECT_EQ(field_error_position(ListKind::Symbols, Field::replacement, u" фунт", kRussian), 1u);
    EXPECT_EQ(unstorable_position(ListKind::Symbols, Field::replacement, u"фу:нт"), 3u);
    EXPECT_EQ(unstorable_position(ListKind::LatinLetters, Field::replacement, u"а\nб"), 2u);
    // Dictionary lines: a blank splits the line, ";" first makes it a comment.
    EXPECT_EQ(unstorable_position(ListKind::UserDictionaryList, Field::source, u"два слова"), 4u);
    EXPECT_EQ(unstorable_position(ListKind::UserDictionaryList, Field::source, u";слово"), 1u);
    EXPECT_EQ(unstorable_position(ListKind::UserDictionaryList, Field::replacement, u";сло+во"), 0u);
    // Half a surrogate pair cannot be written as UTF-8; a whole pair can.
    const std::u16string half(1, char16_t(0xD83D));
    EXPECT_EQ(unstorable_position(ListKind::Symbols, Field::source, half), 1u);
    EXPECT_EQ(unstorable_position(ListKind::Symbols, Field::source, u"\U0001F600"), 0u);
    EXPECT_EQ(unstorable_position(ListKind::UserDictionaryList, Field::replacement, u"а" + half), 2u);
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
