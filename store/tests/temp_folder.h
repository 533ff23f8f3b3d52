#pragma once
// A fresh folder per test, removed afterwards, with small file helpers. The
// name carries a random part, so that two runs of the same test at once (two
// checkouts tested side by side) never share a folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "base/utf.h"
#include "store/file_io.h"

namespace vl::test {

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("vl_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                  std::to_string(std::random_device{}()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static void write_text(const std::filesystem::path& path, std::u16string_view text) {
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(write_file_atomic(path, "\xEF\xBB\xBF" + utf16_to_utf8(text)));
    }
    static std::u16string read_text(const std::filesystem::path& path) {
        const std::string bytes = read_file(path).value_or("");
        return utf8_to_utf16(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    }

    std::filesystem::path folder;
};

}  // namespace vl::test
