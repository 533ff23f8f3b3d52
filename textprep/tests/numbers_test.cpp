#include "textprep/numbers.h"

#include <gtest/gtest.h>

#include "textprep/prepare_text.h"

namespace vl {
namespace {

std::u16string numbers(std::u16string_view text) { return prepare_numbers(text, false); }
std::u16string numbers_without_decimals(std::u16string_view text) { return prepare_numbers(text, true); }

TEST(FormatCount, ChoosesTheEndingByTheLastDigits) {
    const struct {
        std::size_t count;
        std::u16string_view reading;
    } cases[] = {
        {2, u" 2 ноля "},     {4, u" 4 ноля "},       {5, u" 5 нолей "},     {10, u" 10 нолей "},
        {11, u" 11 нолей "},  {12, u" 12 нолей "},    {14, u" 14 нолей "},   {20, u" 20 нолей "},
        {21, u" 21 ноль "},   {22, u" 22 ноля "},     {25, u" 25 нолей "},   {101, u" 101 ноль "},
        {102, u" 102 ноля "}, {111, u" 111 нолей "},  {114, u" 114 нолей "}, {121, u" 121 ноль "},
        {0, u" 0 нолей "},    {4294967295u, u" 4294967295 нолей "},
    };
    for (const auto& c : cases) EXPECT_EQ(format_count(kZeroCountTemplate, c.count), c.reading) << c.count;
}

TEST(FormatCount, ReplacesEveryCountSlotAndToleratesMalformedGroups) {
    EXPECT_EQ(format_count(u"%d[a|b|c]%d", 3), u"3c3");
    EXPECT_EQ(format_count(u"[a|b|c] [x|y|z]", 1), u"b y");
    EXPECT_EQ(format_count(u"[a]", 1), u"");        // a missing field is empty
    EXPECT_EQ(format_count(u"x[a|b", 2), u"x[a|b");  // no closing bracket: left as it is
    EXPECT_EQ(format_count(u"]x[a|b|c]", 2), u"]xc");
    EXPECT_EQ(format_count(u"%", 2), u"%");
}

TEST(PrepareNumbers, ReadsZeroRunsAtTheStartOfANumber) {
    EXPECT_EQ(numbers(u"007"), u" 2 ноля 7");
    EXPECT_EQ(numbers(u"000000000000"), u" 12 нолей ");
    EXPECT_EQ(numbers(u"x 0 y"), u"x  ноль  y");
    EXPECT_EQ(numbers(u"0"), u" ноль ");
    EXPECT_EQ(numbers(std::u16string(22, u'0')), u" 22 ноля ");
    EXPECT_EQ(numbers(std::u16string(21, u'0')), u" 21 ноль ");
    EXPECT_EQ(numbers(std::u16string(11, u'0')), u" 11 нолей ");
}

TEST(PrepareNumbers, ZerosInsideANumberStay) {
    EXPECT_EQ(numbers(u"100"), u"100");
    EXPECT_EQ(numbers(u"2005"), u"2005");
    EXPECT_EQ(numbers(u"A00"), u"A 2 ноля ");
    EXPECT_EQ(numbers(u"0100"), u" ноль 100");
}

TEST(PrepareNumbers, BlankAfterADigitGetsAComma) {
    EXPECT_EQ(numbers(u"12 34"), u"12 , 34");
    EXPECT_EQ(numbers(u"1 000"), u"1 ,  3 ноля ");
    EXPECT_EQ(numbers(u"5 . 3"), u"5 , . 3");
    EXPECT_EQ(numbers(u"7  8"), u"7 ,  8");  // only the first blank follows a digit
    EXPECT_EQ(numbers(u"7\t8"), u"7\t8");    // only U+0020 counts as a blank
}

TEST(PrepareNumbers, TheCharacterAfterAZeroRunFollowsNoDigit) {
    EXPECT_EQ(numbers(u"00 5"), u" 2 ноля  5");
    EXPECT_EQ(numbers(u"0.5"), u" ноль .5");
    EXPECT_EQ(numbers_without_decimals(u"0.5"), u" ноль .5");
    EXPECT_EQ(numbers(u"0.05"), u" ноль : ноль 5");
}

TEST(PrepareNumbers, PointBetweenDigits) {
    EXPECT_EQ(numbers(u"3.14"), u"3.14");
    EXPECT_EQ(numbers_without_decimals(u"3.14"), u"3:14");
    EXPECT_EQ(numbers(u"2."), u"2.");
    EXPECT_EQ(numbers_without_decimals(u"2."), u"2.");
    EXPECT_EQ(numbers_without_decimals(u"a.5"), u"a.5");
    EXPECT_EQ(numbers(u"1.2.3"), u"1.2.3");
    EXPECT_EQ(numbers_without_decimals(u"1.2.3"), u"1:2:3");
}

TEST(PrepareNumbers, PointBeforeAZeroAlwaysBecomesAColonAndStartsAZeroRun) {
    EXPECT_EQ(numbers(u"10.05"), u"10: ноль 5");
    EXPECT_EQ(numbers_without_decimals(u"10.05"), u"10: ноль 5");
    EXPECT_EQ(numbers(u"1.0"), u"1: ноль ");
    EXPECT_EQ(numbers(u"v.0"), u"v: ноль ");
    EXPECT_EQ(numbers(u"1.000"), u"1: 3 ноля ");
}

TEST(PrepareNumbers, WorkedExamplesOfThePipeline) {
    EXPECT_EQ(numbers(u"ЦСКА амперсанд РЖД: 007 (xbox) 3.05"), u"ЦСКА амперсанд РЖД:  2 ноля 7 , (xbox) 3: ноль 5");
    EXPECT_EQ(numbers(u"тсина 0.5 грн"), u"тсина  ноль .5 , грн");
}

TEST(PrepareNumbers, OtherTextPassesUnchanged) {
    EXPECT_EQ(numbers(u""), u"");
    EXPECT_EQ(numbers(u"Привет, мир! 42"), u"Привет, мир! 42");
    const std::u16string surrogates = u"\xD83D\xDE00 9 \xD83D";
    EXPECT_EQ(numbers(surrogates), u"\xD83D\xDE00 9 , \xD83D");
    EXPECT_EQ(numbers(std::u16string(u"a\0" u"0", 3)), std::u16string(u"a\0 ноль ", 8));
}

TEST(PrepareNumbers, ThroughThePipelineFollowsTheSetting) {
    const PronunciationTables tables{};
    const UserDictionary dictionary{};
    const auto prepare = [&](std::u16string_view text, int32_t disable_decimal_separator) {
        return prepare_text(text, PrepareContext{kRussianLanguage, 1, disable_decimal_separator, tables, dictionary});
    };
    EXPECT_EQ(prepare(u"007", 0), u" 2 ноля 7");
    EXPECT_EQ(prepare(u"12 34", 0), u"12 , 34");
    EXPECT_EQ(prepare(u"10.05", 0), u"10: ноль 5");
    EXPECT_EQ(prepare(u"3.14", 0), u"3.14");
    EXPECT_EQ(prepare(u"3.14", 1), u"3:14");
    EXPECT_EQ(prepare(u"0", 0), u"0");  // a lone character is only read by name
}

}  // namespace
}  // namespace vl
