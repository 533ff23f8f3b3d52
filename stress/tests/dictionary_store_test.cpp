#include "stress/dictionary_store.h"
#include "stress/stress_codes.h"

#include <gtest/gtest.h>

#include "lexdb/tests/reader_process.h"
#include "store/tests/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vl::dict {
namespace {

namespace fs = std::filesystem;

class DictionaryStoreTest : public vl::test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        path = (folder / "dict.dat").string();
    }
    void TearDown() override {
        close_dictionary(store);
        TempFolderTest::TearDown();
    }

    // A fresh store on the test's file, opened in the given mode.
    int32_t open(int32_t write_mode) {
        close_dictionary(store);
        store = DictionaryStore{};
        store.write_mode = write_mode;
        return open_dictionary(store, path);
    }
    // Makes the database with the six tables and the given number of words.
    void make_database(int words) {
        ASSERT_EQ(open(1), SD_DONE);
        ASSERT_EQ(begin_lookup(store), SD_DONE);
        ASSERT_EQ(sqlite3BtreeBeginTrans(sqlite3_get_btree(store.connection), 1), 0);
        for (int i = 0; i < words; ++i)
            ASSERT_EQ(insert_record(store.main_cursor, "\xF1\xEB\xEE\xE2\xEE" + std::to_string(i), "\x02"), 0);
        ASSERT_EQ(insert_record(store.anti_cursor, "\xE0\xED\xF2\xE8", "x"), 0);
        ASSERT_EQ(sqlite3BtreeCommit(sqlite3_get_btree(store.connection)), 0);
        close_dictionary(store);
    }
    int32_t count(int32_t* main, int32_t* anti = nullptr, bool with_anti_cursor = true) {
        return count_entries(store, store.main_cursor, with_anti_cursor ? store.anti_cursor : nullptr, main, anti);
    }
    void put_info(const std::string& key, const std::string& text) {
        LexCursor* info = nullptr;
        ASSERT_EQ(sqlite3_open_dict(store.connection, store.info_table.c_str(), 1, &info), 0);
        ASSERT_EQ(insert_record(info, key, text), 0);
        sqlite3BtreeCloseCursor(info);
    }

    std::string path;
    DictionaryStore store;
};

TEST_F(DictionaryStoreTest, OpenForWritingCreatesTheSixTables) {
    ASSERT_EQ(open(1), SD_DONE);
    close_dictionary(store);
    EXPECT_EQ(store.connection, nullptr);
    LexConnection* connection = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &connection), 0);
    for (const char* name : {"empty", "empty_info", "empty_anti", "lexicon", "lexicon_info", "lexicon_anti"}) {
        LexCursor* cursor = nullptr;
        EXPECT_EQ(sqlite3_open_dict(connection, name, 0, &cursor), 0) << name;
        sqlite3BtreeCloseCursor(cursor);
    }
    sqlite3_close(connection);
}

TEST_F(DictionaryStoreTest, RecordsRoundTripThroughTheFile) {
    make_database(0);
    ASSERT_EQ(open(1), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    ASSERT_EQ(insert_record(store.main_cursor, "\xEC\xE0\xEC\xE0", "\x03"), 0);  // мама
    ASSERT_EQ(insert_record(store.main_cursor, "\xEF\xF3\xF1\xF2\xEE", ""), 0);  // empty data
    close_dictionary(store);

    ASSERT_EQ(open(0), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    std::string data;
    EXPECT_EQ(fetch_entry(store.main_cursor, "\xEC\xE0\xEC\xE0", data), 0);
    EXPECT_EQ(data, "\x03");
    EXPECT_EQ(fetch_entry(store.main_cursor, "\xEF\xF3\xF1\xF2\xEE", data), 0);
    EXPECT_EQ(data, "");
    EXPECT_EQ(fetch_entry(store.main_cursor, "\xEC\xE0\xEC\xE0\x30", data), kStatusNotFound);
    EXPECT_EQ(fetch_entry(store.main_cursor, "\xEC\xE0\xEC", data), kStatusNotFound);
    EXPECT_EQ(insert_record(store.main_cursor, "x", "y"), kStatusReadOnly);
}

TEST_F(DictionaryStoreTest, CountIsWalkedOnceThenReadFromTheInfoTable) {
    make_database(25);
    ASSERT_EQ(open(1), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    int32_t main = 0, anti = 0;
    EXPECT_EQ(count(&main, &anti), 0);
    EXPECT_EQ(main, 25);
    EXPECT_EQ(anti, 1);
    EXPECT_EQ(read_info_count(store, "count"), 25);
    EXPECT_EQ(read_info_count(store, "count_anti"), 1);

    // A word added behind the library's back is not counted: the stored count is trusted.
    ASSERT_EQ(insert_record(store.main_cursor, "\xED\xEE\xE2\xEE\xE5", "\x02"), 0);
    EXPECT_EQ(count(&main, &anti), 0);
    EXPECT_EQ(main, 25);
}

TEST_F(DictionaryStoreTest, WithoutExceptionsCursorOnlyTheMainCountIsEstablished) {
    make_database(3);
    ASSERT_EQ(open(1), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    int32_t main = 0, anti = 77;
    EXPECT_EQ(count(&main, &anti, false), 0);
    EXPECT_EQ(main, 3);
    EXPECT_EQ(anti, 77);
    EXPECT_EQ(read_info_count(store, "count_anti"), -1);
}

TEST_F(DictionaryStoreTest, ReadOnlyCountIsWalkedButNeitherStoredNorReportedForExceptions) {
    make_database(4);
    ASSERT_EQ(open(0), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    int32_t main = 0, anti = 0;
    // The refused write of "count" is replaced by the exceptions walk's success.
    EXPECT_EQ(count(&main, &anti), 1);
    EXPECT_EQ(main, 4);
    EXPECT_EQ(anti, -1);
    EXPECT_EQ(read_info_count(store, "count"), -1);
    EXPECT_EQ(write_info_count(store, "count", 4), kStatusReadOnly);
    // Without an exceptions cursor the refusal stands.
    EXPECT_EQ(count(&main, nullptr, false), SD_E_DATABASE);
    EXPECT_EQ(main, 4);
}

TEST_F(DictionaryStoreTest, CountWrittenWhileAnotherProcessReadsIsAFailureAndHoldsNoLock) {
    make_database(6);
    ASSERT_EQ(open(1), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    int32_t main = 0;
    {
        vl::test::ReaderProcess reader(path, "lexicon");
        ASSERT_TRUE(reader.started());
        EXPECT_EQ(count(&main, nullptr, false), SD_E_DATABASE);
        EXPECT_EQ(main, 6);  // walked, though not stored
    }
    EXPECT_EQ(read_info_count(store, "count"), -1);
    // No transaction of the failed call remains: another program's writer gets through.
    DictionaryStore other;
    ASSERT_EQ(open_dictionary(other, path), SD_DONE);
    EXPECT_EQ(write_info_count(other, "count", 6), 0);
    close_dictionary(other);
    EXPECT_EQ(read_info_count(store, "count"), 6);
}

TEST_F(DictionaryStoreTest, StoredCountsFollowTheNumberSyntax) {
    make_database(5);
    ASSERT_EQ(open(1), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    put_info("count", "$1F");
    put_info("count_anti", "  -2");
    int32_t main = 0, anti = 0;
    EXPECT_EQ(count(&main, &anti), 0);
    EXPECT_EQ(main, 31);
    EXPECT_EQ(anti, -2);

    put_info("count", "12abc");  // unreadable: walked and stored again
    EXPECT_EQ(count(&main, &anti), 0);
    EXPECT_EQ(main, 5);
    EXPECT_EQ(read_info_count(store, "count"), 5);
}

TEST_F(DictionaryStoreTest, SelectedTableNamesAreUsed) {
    make_database(2);
    select_tables(store, "user");
    store.write_mode = 1;
    ASSERT_EQ(open_dictionary(store, path), SD_DONE);
    ASSERT_EQ(begin_lookup(store), SD_DONE);
    ASSERT_EQ(insert_record(store.main_cursor, "ab", "\x01"), 0);
    int32_t main = 0;
    EXPECT_EQ(count(&main), 0);
    EXPECT_EQ(main, 1);
    EXPECT_EQ(read_info_count(store, "count"), 1);
}

TEST_F(DictionaryStoreTest, MissingTableFailsTheReadOnlyOpen) {
    LexConnection* connection = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &connection), 0);
    for (const char* name : {"empty", "empty_info", "lexicon", "lexicon_info", "lexicon_anti"}) {
        LexCursor* cursor = nullptr;
        ASSERT_EQ(sqlite3_open_dict(connection, name, 1, &cursor), 0);
        sqlite3BtreeCloseCursor(cursor);
    }
    sqlite3_close(connection);
    EXPECT_EQ(open(0), SD_E_DATABASE);
    EXPECT_EQ(store.connection, nullptr);
    EXPECT_EQ(open(1), SD_DONE);  // writing creates "empty_anti"
}

TEST_F(DictionaryStoreTest, MissingFileFailsTheReadOnlyOpen) {
    EXPECT_EQ(open(0), SD_E_DATABASE);
    EXPECT_EQ(store.connection, nullptr);
}

TEST_F(DictionaryStoreTest, NonDatabaseFileFails) {
    std::ofstream(path, std::ios::binary) << "This is not a dictionary, only some text.\n";
    EXPECT_EQ(open(0), SD_E_DATABASE);
    EXPECT_EQ(store.connection, nullptr);
    EXPECT_EQ(open(1), SD_E_DATABASE);
    EXPECT_EQ(store.connection, nullptr);
}

TEST_F(DictionaryStoreTest, DamagedDatabaseFailsOrAnswersButNeverCrashes) {
    make_database(3000);
    const auto size = fs::file_size(path);
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size / 3));
        for (size_t i = 0; i < size / 3; ++i) file.put(static_cast<char>(i * 37 + 11));
    }
    for (int32_t mode : {0, 1}) {
        const int32_t opened = open(mode);
        ASSERT_TRUE(opened == SD_DONE || opened == SD_E_DATABASE);
        if (opened != SD_DONE) continue;
        const int32_t begun = begin_lookup(store);
        ASSERT_TRUE(begun == SD_DONE || begun == SD_E_DATABASE);
        int32_t main = 0;
        const int32_t counted = count(&main);
        EXPECT_TRUE(counted == 0 || counted == 1 || counted == SD_E_DATABASE);
        std::string data;
        fetch_entry(store.main_cursor, "\xF1\xEB\xEE\xE2\xEE" "2999", data);
    }
}

TEST_F(DictionaryStoreTest, LookupCursorsOfAMissingTableFail) {
    make_database(1);
    ASSERT_EQ(open(0), SD_DONE);
    store.main_table = "absent";
    EXPECT_EQ(begin_lookup(store), SD_E_DATABASE);
    EXPECT_EQ(store.main_cursor, nullptr);
    EXPECT_NE(store.anti_cursor, nullptr);  // stays open until the lookup ends
    end_lookup(store);
    EXPECT_EQ(store.anti_cursor, nullptr);
}

#ifndef _WIN32
TEST_F(DictionaryStoreTest, WithoutAPathTheApplicationDataFolderIsUsed) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string saved_value = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    fs::create_directories(folder / "VelnorSAPI");
    store.write_mode = 1;
    EXPECT_EQ(open_dictionary(store, std::nullopt), SD_DONE);
    EXPECT_EQ(store.path, (folder / "VelnorSAPI" / "dict.dat").string());
    close_dictionary(store);

    // An empty path is stored, then replaced by the default on the same open.
    store.path = path;
    EXPECT_EQ(open_dictionary(store, ""), SD_DONE);
    EXPECT_EQ(store.path, (folder / "VelnorSAPI" / "dict.dat").string());
    EXPECT_TRUE(fs::exists(folder / "VelnorSAPI" / "dict.dat"));
    if (saved) setenv("XDG_CONFIG_HOME", saved_value.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}
#endif

TEST_F(DictionaryStoreTest, StoredPathIsReusedByALaterOpen) {
    ASSERT_EQ(open(1), SD_DONE);
    close_dictionary(store);
    EXPECT_EQ(open_dictionary(store, std::nullopt), SD_DONE);
    EXPECT_EQ(store.path, path);
}

}  // namespace
}  // namespace vl::dict
