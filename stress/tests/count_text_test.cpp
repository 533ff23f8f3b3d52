#include "stress/count_text.h"

#include <gtest/gtest.h>

namespace vl::dict {
namespace {

TEST(CountText, DecimalWithSpacesAndSign) {
    EXPECT_EQ(parse_count_text("181234"), 181234);
    EXPECT_EQ(parse_count_text("   42"), 42);
    EXPECT_EQ(parse_count_text("+7"), 7);
    EXPECT_EQ(parse_count_text(" -15"), -15);
    EXPECT_EQ(parse_count_text("007"), 7);
}

TEST(CountText, HexadecimalPrefixes) {
    EXPECT_EQ(parse_count_text("$1F"), 31);
    EXPECT_EQ(parse_count_text("0x1f"), 31);
    EXPECT_EQ(parse_count_text("0XFF"), 255);
    EXPECT_EQ(parse_count_text("-$10"), -16);
}

TEST(CountText, KeepsOnlyTheLow32Bits) {
    EXPECT_EQ(parse_count_text("4294967297"), 1);
    EXPECT_EQ(parse_count_text("$1FFFFFFFF"), -1);
    EXPECT_EQ(parse_count_text("2147483648"), INT32_MIN);
    EXPECT_EQ(parse_count_text("99999999999999999999999"), static_cast<int32_t>(4135583743u));
}

TEST(CountText, RejectsAnythingElse) {
    for (const char* text : {"", " ", "+", "-", "$", "0x", "12a", "12 ", "\t12", "--1", "1.5", "$G", "0x-1",
                             "1e3"})
        EXPECT_EQ(parse_count_text(text), std::nullopt) << '"' << text << '"';
}

}  // namespace
}  // namespace vl::dict
