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

}  // namespace
}  // namespace vl
