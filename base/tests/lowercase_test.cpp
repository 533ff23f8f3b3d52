#include "base/lowercase.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Lowercase, MapsLatinCyrillicAndOtherScripts) {
    EXPECT_EQ(to_lower(u"ABC Привет ЁЇЄІҐ ÀΣ"), u"abc привет ёїєіґ àσ");
    EXPECT_EQ(to_lower(u'İ'), u'i');   // simple mapping, not the special casing
    EXPECT_EQ(to_lower(u'7'), u'7');
    EXPECT_EQ(to_lower(char16_t(0xD800)), char16_t(0xD800));
}

TEST(Lowercase, IsIdempotent) {
    for (int c = 0; c < 0x10000; ++c) {
        const char16_t lower = to_lower(static_cast<char16_t>(c));
        EXPECT_EQ(to_lower(lower), lower) << c;
    }
}

}  // namespace
}  // namespace vl
