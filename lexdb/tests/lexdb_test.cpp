#include "lexdb/include/lexdb_api.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lexdb/tests/reader_process.h"
#include "store/tests/temp_folder.h"

namespace {

class LexdbTest : public vl::test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        path = (folder / "dict.dat").string();
    }
    void TearDown() override {
        for (LexCursor* c : cursors) sqlite3BtreeCloseCursor(c);
        if (connection) sqlite3_close(connection);
        TempFolderTest::TearDown();
    }
    LexConnection* open() {
        if (connection) sqlite3_close(connection);
        connection = nullptr;
        EXPECT_EQ(sqlite3_open(path.c_str(), &connection), 0);
        return connection;
    }
    LexCursor* table(const char* name, int write_flag = 1) {
        LexCursor* c = nullptr;
        EXPECT_EQ(sqlite3_open_dict(connection, name, write_flag, &c), 0) << name;
        cursors.push_back(c);
        return c;
    }
    static int32_t insert(LexCursor* c, const std::string& key, const std::string& data) {
        return sqlite3BtreeInsert(c, key.data(), static_cast<int64_t>(key.size()), data.data(),
                                  static_cast<int32_t>(data.size()));
    }
    static std::string current_data(LexCursor* c) {
        uint32_t size = 0;
        EXPECT_EQ(sqlite3BtreeDataSize(c, &size), 0);
        std::string data(size, '\0');
        EXPECT_EQ(sqlite3BtreeData(c, 0, size, data.data()), 0);
        return data;
    }
    static std::string current_key(LexCursor* c) {
        int64_t size = 0;
        EXPECT_EQ(sqlite3BtreeKeySize(c, &size), 0);
        std::string key(static_cast<size_t>(size), '\0');
        EXPECT_EQ(sqlite3BtreeKey(c, 0, static_cast<uint32_t>(size), key.data()), 0);
        return key;
    }
    static int32_t seek(LexCursor* c, const std::string& key) {
        int32_t position = 99;
        EXPECT_EQ(sqlite3BtreeMoveto(c, key.data(), static_cast<int64_t>(key.size()), &position), 0);
        return position;
    }
    static std::vector<std::string> walk(LexCursor* c) {
        std::vector<std::string> keys;
        int32_t end = 0;
        EXPECT_EQ(sqlite3BtreeFirst(c, &end), 0);
        while (!end) {
            keys.push_back(current_key(c));
            EXPECT_EQ(sqlite3BtreeNext(c, &end), 0);
        }
        return keys;
    }

    std::string path;
    LexConnection* connection = nullptr;
    std::vector<LexCursor*> cursors;
};

TEST_F(LexdbTest, MissingTableFailsReadOnlyAndIsCreatedForWriting) {
    open();
    LexCursor* c = reinterpret_cast<LexCursor*>(1);
    EXPECT_NE(sqlite3_open_dict(connection, "lexicon", 0, &c), 0);
    EXPECT_EQ(c, nullptr);
    table("lexicon", 1);
    table("lexicon", 0);
}

TEST_F(LexdbTest, ExactSeekFindsOnlyEqualKeys) {
    open();
    LexCursor* c = table("lexicon");
    ASSERT_EQ(insert(c, "\xEC\xE0\xEC\xE0", "\x03"), 0);  // мама
    ASSERT_EQ(insert(c, "\xEC\xE0", "xy"), 0);
    EXPECT_EQ(seek(c, "\xEC\xE0\xEC\xE0"), 0);
    EXPECT_EQ(current_data(c), "\x03");
    EXPECT_EQ(seek(c, "\xEC\xE0"), 0);
    EXPECT_EQ(current_data(c), "xy");
    EXPECT_NE(seek(c, "\xEC"), 0);            // a prefix of a key is not the key
    EXPECT_NE(seek(c, "\xEC\xE0\xEC"), 0);
    EXPECT_NE(seek(c, "\xEC\xE0\xEC\xE0\x30"), 0);
    EXPECT_NE(seek(c, "\xFF"), 0);            // beyond the last key
}

TEST_F(LexdbTest, InsertReplacesEqualKeyAndKeepsEmptyValues) {
    open();
    LexCursor* c = table("lexicon");
    ASSERT_EQ(insert(c, "key", "first"), 0);
    ASSERT_EQ(insert(c, "key", "second"), 0);
    ASSERT_EQ(insert(c, "", ""), 0);
    EXPECT_EQ(walk(c), (std::vector<std::string>{"", "key"}));
    EXPECT_EQ(seek(c, "key"), 0);
    EXPECT_EQ(current_data(c), "second");
    EXPECT_EQ(seek(c, ""), 0);
    EXPECT_EQ(current_data(c), "");
}

TEST_F(LexdbTest, KeysOrderAsUnsignedBytesAndKeepZeroBytes) {
    open();
    LexCursor* c = table("lexicon");
    for (std::string key : {std::string("\xFF"), std::string("a\0b", 3), std::string("a"), std::string("\x01"),
                            std::string("ab")})
        ASSERT_EQ(insert(c, key, "d"), 0);
    EXPECT_EQ(walk(c), (std::vector<std::string>{"\x01", "a", std::string("a\0b", 3), "ab", "\xFF"}));
    EXPECT_EQ(seek(c, std::string("a\0b", 3)), 0);
}

TEST_F(LexdbTest, EmptyTableWalkEndsAtOnce) {
    open();
    LexCursor* c = table("lexicon");
    int32_t end = 0;
    EXPECT_EQ(sqlite3BtreeFirst(c, &end), 0);
    EXPECT_NE(end, 0);
    uint32_t size = 0;
    EXPECT_NE(sqlite3BtreeDataSize(c, &size), 0);
    EXPECT_NE(seek(c, "x"), 0);
}

TEST_F(LexdbTest, WalkSurvivesInsertsThroughAnotherCursor) {
    open();
    LexCursor* a = table("lexicon");
    LexCursor* b = table("lexicon");
    for (const char* key : {"a", "c", "e"}) ASSERT_EQ(insert(a, key, "d"), 0);
    int32_t end = 0;
    ASSERT_EQ(sqlite3BtreeFirst(a, &end), 0);
    EXPECT_EQ(current_key(a), "a");
    ASSERT_EQ(insert(b, "b", "d"), 0);
    ASSERT_EQ(insert(b, "d", "d"), 0);
    std::vector<std::string> rest;
    while (sqlite3BtreeNext(a, &end) == 0 && !end) rest.push_back(current_key(a));
    EXPECT_EQ(rest, (std::vector<std::string>{"b", "c", "d", "e"}));
}

TEST_F(LexdbTest, DeleteRemovesCurrentRecordAndNextMovesOn) {
    open();
    LexCursor* c = table("lexicon");
    for (const char* key : {"a", "b", "c"}) ASSERT_EQ(insert(c, key, "d"), 0);
    EXPECT_EQ(seek(c, "b"), 0);
    EXPECT_EQ(sqlite3BtreeDelete(c), 0);
    int32_t end = 0;
    EXPECT_EQ(sqlite3BtreeNext(c, &end), 0);
    EXPECT_EQ(current_key(c), "c");
    EXPECT_EQ(walk(c), (std::vector<std::string>{"a", "c"}));
}

TEST_F(LexdbTest, DataReadsAreBoundsChecked) {
    open();
    LexCursor* c = table("lexicon");
    ASSERT_EQ(insert(c, "k", "abc"), 0);
    ASSERT_EQ(seek(c, "k"), 0);
    char buffer[4] = {};
    EXPECT_EQ(sqlite3BtreeData(c, 1, 2, buffer), 0);
    EXPECT_EQ(std::string(buffer, 2), "bc");
    EXPECT_NE(sqlite3BtreeData(c, 2, 2, buffer), 0);
    EXPECT_NE(sqlite3BtreeData(c, 0xFFFFFFFFu, 2, buffer), 0);
}

TEST_F(LexdbTest, ReadOnlyCursorRefusesWrites) {
    open();
    table("lexicon");
    LexCursor* c = table("lexicon", 0);
    EXPECT_EQ(insert(c, "k", "d"), 8);
}

TEST_F(LexdbTest, RollbackDropsAndCommitKeepsWrites) {
    open();
    LexCursor* c = table("lexicon");
    LexBtree* btree = sqlite3_get_btree(connection);
    ASSERT_EQ(sqlite3BtreeBeginTrans(btree, 1), 0);
    ASSERT_EQ(insert(c, "dropped", "d"), 0);
    EXPECT_EQ(sqlite3BtreeRollback(btree), 0);
    ASSERT_EQ(sqlite3BtreeBeginTrans(btree, 1), 0);
    ASSERT_EQ(insert(c, "kept", "d"), 0);
    EXPECT_EQ(sqlite3BtreeCommit(btree), 0);
    sqlite3BtreeCloseCursor(c);
    cursors.clear();
    open();
    EXPECT_EQ(walk(table("lexicon", 0)), std::vector<std::string>{"kept"});
}

TEST_F(LexdbTest, CommitMeetingAnotherProcessReaderFailsAndLeavesNoLock) {
    open();
    LexCursor* c = table("lexicon");
    ASSERT_EQ(insert(c, "a", "1"), 0);
    LexBtree* btree = sqlite3_get_btree(connection);
    LexConnection* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), 0);
    {
        vl::test::ReaderProcess reader(path, "lexicon");
        ASSERT_TRUE(reader.started());
        ASSERT_EQ(sqlite3BtreeBeginTrans(btree, 1), 0);
        ASSERT_EQ(insert(c, "b", "2"), 0);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_NE(sqlite3BtreeCommit(btree), 0);
        // The busy wait of seconds was spent, and it ended.
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, std::chrono::seconds(4));
        EXPECT_LT(waited, std::chrono::seconds(60));
        // The transaction was rolled back: another connection may write, this
        // one begins afresh, and the record is gone.
        EXPECT_EQ(sqlite3BtreeBeginTrans(sqlite3_get_btree(other), 1), 0);
        EXPECT_EQ(sqlite3BtreeRollback(sqlite3_get_btree(other)), 0);
        EXPECT_EQ(walk(c), std::vector<std::string>{"a"});
        EXPECT_EQ(sqlite3BtreeBeginTrans(btree, 1), 0);
        EXPECT_EQ(sqlite3BtreeRollback(btree), 0);
    }
    ASSERT_EQ(sqlite3BtreeBeginTrans(btree, 1), 0);
    ASSERT_EQ(insert(c, "b", "2"), 0);
    EXPECT_EQ(sqlite3BtreeCommit(btree), 0);
    EXPECT_EQ(walk(c), (std::vector<std::string>{"a", "b"}));
    sqlite3_close(other);
}

TEST_F(LexdbTest, TablesAreSeparateAndNamesMayHoldAnyBytes) {
    open();
    LexCursor* a = table("lexicon");
    LexCursor* b = table("lex\"icon\xE0");
    ASSERT_EQ(insert(a, "a", "1"), 0);
    ASSERT_EQ(insert(b, "b", "2"), 0);
    EXPECT_EQ(walk(a), std::vector<std::string>{"a"});
    EXPECT_EQ(walk(b), std::vector<std::string>{"b"});
}

TEST_F(LexdbTest, NonDatabaseFileFailsWithoutCrashing) {
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    open();
    LexCursor* c = nullptr;
    EXPECT_NE(sqlite3_open_dict(connection, "lexicon", 0, &c), 0);
    EXPECT_NE(sqlite3_open_dict(connection, "lexicon", 1, &c), 0);
    EXPECT_EQ(c, nullptr);
    EXPECT_NE(std::string(sqlite3_errmsg(connection)), "");
}

TEST_F(LexdbTest, NullHandlesGiveFailures) {
    int32_t end = 0, position = 0;
    EXPECT_NE(sqlite3_open(nullptr, &connection), 0);
    EXPECT_NE(sqlite3BtreeFirst(nullptr, &end), 0);
    EXPECT_NE(sqlite3BtreeMoveto(nullptr, "k", 1, &position), 0);
    EXPECT_NE(sqlite3BtreeBeginTrans(nullptr, 1), 0);
    EXPECT_EQ(sqlite3_get_btree(nullptr), nullptr);
}

}  // namespace
