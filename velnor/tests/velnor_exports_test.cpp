// velnor.dll exports its functions by ordinal only, under no name.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(VelnorExports, OrdinalsOnly) {
    const HMODULE dll = GetModuleHandleA("velnor.dll");
    ASSERT_NE(dll, nullptr);
    for (const WORD ordinal : {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 19, 20, 21})
        EXPECT_NE(GetProcAddress(dll, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
    for (const WORD unused : {4, 15, 16, 17, 18, 22})
        EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(unused)), nullptr) << unused;
    EXPECT_EQ(GetProcAddress(dll, "synth_speak"), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "synth_speak@8"), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "synth_ready"), nullptr);
}

}  // namespace
