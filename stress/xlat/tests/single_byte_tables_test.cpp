// Windows only: the tables that stand in for the system converters on other
// systems must give exactly the system's results.
#include "platform/posix/single_byte_tables.h"
#include "platform/system_code_page.h"

#include <gtest/gtest.h>

namespace vl::xlat {
namespace {

class SingleByteTables : public ::testing::TestWithParam<int32_t> {};

TEST_P(SingleByteTables, EveryByteAndEveryUnitConvertAsWindowsDoes) {
    const int32_t code_page = GetParam();
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    EXPECT_EQ(table_to_wide(bytes, code_page), system_to_wide(bytes, code_page));
    std::u16string units;
    for (uint32_t u = 1; u <= 0xFFFF; ++u)
        if (u < 0xD800 || u > 0xDFFF) units += static_cast<char16_t>(u);
    EXPECT_EQ(table_from_wide(units, code_page), system_from_wide(units, code_page));
    for (char16_t u = 0xD800; u <= 0xDFFF; u += 0x80)
        EXPECT_EQ(table_from_wide(std::u16string(1, u), code_page), system_from_wide(std::u16string(1, u), code_page))
            << static_cast<int>(u);
}

INSTANTIATE_TEST_SUITE_P(CodePages, SingleByteTables, ::testing::Values(866, 1250, 1251, 1252, 20866, 28595));

}  // namespace
}  // namespace vl::xlat
