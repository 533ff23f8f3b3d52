#include "engine/engine_charset.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(EngineCharset, RussianLettersAtCodePage1251Positions) {
    EXPECT_EQ(to_engine_charset(u"Ёлка…"), "\xA8\xEB\xEA\xE0\x2E");
    EXPECT_EQ(to_engine_charset(u"АЯая"), "\xC0\xDF\xE0\xFF");
    EXPECT_EQ(to_engine_charset(u"ok 12+"), "ok 12+");
}

TEST(EngineCharset, OtherCharactersNeverBecomeUnrelatedBytes) {
    EXPECT_EQ(to_engine_charset(u"é"), " ");          // low byte would be й
    EXPECT_EQ(to_engine_charset(u"—«»№"), "\x97\xAB\xBB\xB9");
    EXPECT_EQ(to_engine_charset(u"a\u4E2Db"), "a b");
    EXPECT_EQ(to_engine_charset(std::u16string(u"a\0b", 3)), "a b");
    EXPECT_EQ(to_engine_charset(u"😀"), "  ");
}

}  // namespace
}  // namespace vl
