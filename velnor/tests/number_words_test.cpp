#include "velnor/number_words.h"

#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "base/utf.h"

namespace vl::velnor {
namespace {

std::string words(std::string_view digits) { return number_words(digits); }
std::string cp(std::string_view utf8) { return to_cp1251(utf8_to_utf16(utf8), '?'); }

TEST(NumberWords, SmallNumbers) {
    EXPECT_EQ(words("0"), cp("но+ль"));
    EXPECT_EQ(words("7"), cp("се+мь"));
    EXPECT_EQ(words("10"), cp("де+сять"));
    EXPECT_EQ(words("13"), cp("трина+дцать"));
    EXPECT_EQ(words("40"), cp("со+рок"));
    EXPECT_EQ(words("21"), cp("два+дцать оди+н"));
    EXPECT_EQ(words("100"), cp("сто+"));
    EXPECT_EQ(words("999"), cp("девятьсо+т девяно+сто де+вять"));
}

TEST(NumberWords, ThousandsAreFeminineAndAgreeWithTheirCount) {
    EXPECT_EQ(words("1000"), cp("одна+ ты+сяча"));
    EXPECT_EQ(words("2024"), cp("две+ ты+сячи два+дцать четы+ре"));
    EXPECT_EQ(words("5000"), cp("пя+ть ты+сяч"));
    EXPECT_EQ(words("11000"), cp("оди+ннадцать ты+сяч"));
    EXPECT_EQ(words("21000"), cp("два+дцать одна+ ты+сяча"));
    EXPECT_EQ(words("112000"), cp("сто+ двена+дцать ты+сяч"));
}

TEST(NumberWords, MillionsAndBillions) {
    EXPECT_EQ(words("1000001"), cp("оди+н миллио+н оди+н"));
    EXPECT_EQ(words("3000000"), cp("три+ миллио+на"));
    EXPECT_EQ(words("999999999999"),
              cp("девятьсо+т девяно+сто де+вять миллиа+рдов девятьсо+т девяно+сто де+вять миллио+нов "
                 "девятьсо+т девяно+сто де+вять ты+сяч девятьсо+т девяно+сто де+вять"));
    EXPECT_EQ(words("2000000000"), cp("два+ миллиа+рда"));
}

TEST(NumberWords, LeadingZerosAreReadOneByOne) {
    EXPECT_EQ(words("007"), cp("но+ль но+ль се+мь"));
    EXPECT_EQ(words("000"), cp("но+ль но+ль но+ль"));
}

}  // namespace
}  // namespace vl::velnor
