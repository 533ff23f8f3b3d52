// Windows only: the database path from the registry value "db".
#include "base/utf.h"
#include "platform/database_location.h"
#include "stress/dictionary_store.h"
#include "stress/stress_codes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

namespace vl::dict {
namespace {

class RegistryPathTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDatabaseRegistryKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDatabaseRegistryKey); }
    void set_value(DWORD type, const std::string& value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDatabaseRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "db", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void set_wide_value(const std::wstring& value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDatabaseRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, L"db", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(RegistryPathTest, OnlyAStringValueCounts) {
    EXPECT_EQ(registry_database_path(), "");
    set_value(REG_EXPAND_SZ, "C:\\elsewhere\\dict.dat");
    EXPECT_EQ(registry_database_path(), "");
    set_value(REG_SZ, "C:\\dictionaries\\dict.dat");
    EXPECT_EQ(registry_database_path(), "C:\\dictionaries\\dict.dat");
}

TEST_F(RegistryPathTest, ExpandableValueFallsBackToTheApplicationDataFolder) {
    set_value(REG_EXPAND_SZ, "C:\\elsewhere\\dict.dat");
    DictionaryStore store;
    store.write_mode = 0;  // makes no file in the real folder
    open_dictionary(store, std::nullopt);
    close_dictionary(store);
    EXPECT_EQ(store.path, default_database_path());
    EXPECT_NE(store.path.find("\\VelnorSAPI\\dict.dat"), std::string::npos);
}

TEST_F(RegistryPathTest, OpenWithoutAPathUsesTheRegistryValue) {
    const std::string path = (std::filesystem::temp_directory_path() / "registry_dict.dat").string();
    std::filesystem::remove(path);
    set_value(REG_SZ, path);
    DictionaryStore store;
    EXPECT_EQ(open_dictionary(store, ""), SD_DONE);
    close_dictionary(store);
    EXPECT_EQ(store.path, path);
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
}

// A program folder with Cyrillic letters is found whatever the ANSI code page;
// once the user has a file of their own, it comes before the machine-wide one.
TEST_F(RegistryPathTest, TheUsersOwnFileComesBeforeTheMachineWideOneAndPathsAreReadWide) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / L"Мои программы";
    const fs::path machine = folder / L"dict.dat";
    fs::create_directories(folder);
    set_wide_value(machine.wstring());
    EXPECT_EQ(registry_database_path(), utf16_to_utf8(machine.u16string()));
    const fs::path own(utf8_to_utf16(default_database_path()));
    fs::remove(own);
    DictionaryStore store;
    EXPECT_EQ(open_dictionary(store, ""), SD_DONE);
    close_dictionary(store);
    EXPECT_EQ(store.path, utf16_to_utf8(machine.u16string()));
    ASSERT_TRUE(fs::exists(machine));

    fs::create_directories(own.parent_path());
    fs::copy_file(machine, own, fs::copy_options::overwrite_existing);
    EXPECT_EQ(open_dictionary(store, ""), SD_DONE);
    close_dictionary(store);
    EXPECT_EQ(store.path, default_database_path());
    fs::remove(own);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vl::dict
