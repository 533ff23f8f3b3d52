#include <gtest/gtest.h>

#include "stress/stress_lookup.h"
#include "stress/tests/stress_fixture.h"

namespace vl::dict {
namespace {

using test::cp1251;
using test::utf8;

std::string render(std::string_view key, std::string_view data) { return utf8(render_entry(cp1251(key), data)); }

TEST(RenderEntry, OnePositionMakesTheMarkThatCharacter) {
    EXPECT_EQ(render("мама", "\x03"), "ма+ма");
    EXPECT_EQ(render("мама", "\x01"), "+мама");
    EXPECT_EQ(render("мама", std::string(1, '\0')), "+мама");
    EXPECT_EQ(render("мама", "\x05"), "мама+");
    EXPECT_EQ(render("мама", "\xFF"), "мама+");
    // The probe key's digit is not part of the word.
    EXPECT_EQ(render("замок0", "\x03"), "за+мок");
}

TEST(RenderEntry, SeveralPositionsAreInsertedLastFirst) {
    EXPECT_EQ(render("абвгде", std::string("\x02\x04", 2)), "а+бв+где");
    EXPECT_EQ(render("абвгдеж", std::string("\x02\x04\x06", 3)), "а+бв+гд+еж");
    EXPECT_EQ(render("абв", std::string("\x00\x09", 2)), "+абв+");
    EXPECT_EQ(render("абв", std::string("\x20\x01", 2)), "+абв+");
}

TEST(RenderEntry, OtherDataIsAReplacementText) {
    EXPECT_EQ(render_entry(cp1251("абвгде"), "ok"), "ok");  // first byte above 0x20
    EXPECT_EQ(render_entry(cp1251("абв"), "x\x01\x02"), "x\x01\x02");
    EXPECT_EQ(render_entry(cp1251("абв"), std::string("\x01\x02\x03\x04", 4)), std::string("\x01\x02\x03\x04", 4));
    EXPECT_EQ(render("замок", cp1251("за+мок12")), "за+мок");
    EXPECT_EQ(render_entry("abc", "12ab34"), "12ab34");  // a leading digit keeps them
    EXPECT_EQ(render_entry("abc", ""), "");
    // The bare key as data: the key without its digits.
    EXPECT_EQ(render("замок0", cp1251("замок0")), "замок");
}

}  // namespace
}  // namespace vl::dict
