// The library as a program outside this project uses it: loaded by file name,
// every entry point found by name, callbacks in the library's calling convention.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stress/include/vldict.h"
#include "stress/tests/load_library.h"
#include "lexdb/include/lexdb_api.h"
#include "store/tests/temp_folder.h"

namespace vl::dict {
namespace {

constexpr const char* kPassedOn[] = {
    "sqlite3_open",           "sqlite3_close",          "sqlite3_errmsg",          "sqlite3_get_btree",
    "sqlite3_open_dict",      "sqlite3BtreeCloseCursor", "sqlite3BtreeBeginTrans", "sqlite3BtreeCommit",
    "sqlite3BtreeRollback",   "sqlite3BtreeMoveto",     "sqlite3BtreeDataSize",    "sqlite3BtreeData",
    "sqlite3BtreeKeySize",    "sqlite3BtreeKey",        "sqlite3BtreeInsert",      "sqlite3BtreeDelete",
    "sqlite3BtreeFirst",      "sqlite3BtreeNext"};

template <typename Function>
Function* entry(const char* name) {
    return reinterpret_cast<Function*>(test::library_function(VLDICT_FILE, name));
}

int32_t dispatch(int32_t command, intptr_t arg = 0, uint32_t size = 0) {
    static const StressDispatchFunction function =
        reinterpret_cast<StressDispatchFunction>(test::library_function(VLDICT_FILE, "Stress_Dispatch"));
    return function(command, arg, size);
}

struct Received {
    std::vector<std::string> texts;
    std::vector<std::string> words;
    std::vector<int32_t> positions;
};

int32_t VLDICT_CALL on_text(intptr_t context, const char* text) {
    reinterpret_cast<Received*>(context)->texts.emplace_back(text);
    return 1;
}
int32_t VLDICT_CALL on_word(intptr_t context, int32_t position, const char* word, int32_t length) {
    auto* received = reinterpret_cast<Received*>(context);
    received->words.emplace_back(word, length);
    received->positions.push_back(position);
    return 1;
}

class LibraryTest : public vl::test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        path = path_utf8(folder / "dict.dat");
    }
    // Writes the word record мама -> 3 with the database functions the library passes on.
    void make_dictionary() {
        LexConnection* connection = nullptr;
        ASSERT_EQ(entry<decltype(sqlite3_open)>("sqlite3_open")(path.c_str(), &connection), 0);
        LexBtree* btree = entry<decltype(sqlite3_get_btree)>("sqlite3_get_btree")(connection);
        ASSERT_EQ(entry<decltype(sqlite3BtreeBeginTrans)>("sqlite3BtreeBeginTrans")(btree, 1), 0);
        LexCursor* cursor = nullptr;
        ASSERT_EQ(entry<decltype(sqlite3_open_dict)>("sqlite3_open_dict")(connection, "lexicon", 1, &cursor), 0);
        ASSERT_EQ(entry<decltype(sqlite3BtreeInsert)>("sqlite3BtreeInsert")(cursor, "\xEC\xE0\xEC\xE0", 4, "\x03", 1),
                  0);
        entry<decltype(sqlite3BtreeCloseCursor)>("sqlite3BtreeCloseCursor")(cursor);
        ASSERT_EQ(entry<decltype(sqlite3BtreeCommit)>("sqlite3BtreeCommit")(btree), 0);
        entry<decltype(sqlite3_close)>("sqlite3_close")(connection);
    }
    std::string path;
};

TEST_F(LibraryTest, ExportsTheEntryPointAndPassesTheDatabaseFunctionsOn) {
    EXPECT_NE(test::library_function(VLDICT_FILE, "Stress_Dispatch"), nullptr);
    for (const char* name : kPassedOn) EXPECT_NE(test::library_function(VLDICT_FILE, name), nullptr) << name;
#if defined(_WIN32)
    EXPECT_EQ(test::library_function(VLDICT_FILE, "Stress_Dispatch@12"), nullptr);
    EXPECT_EQ(test::library_function(VLDICT_FILE, "sqlite3BtreeSetPageSize"), nullptr);
#endif
}

TEST_F(LibraryTest, StressesATextFromOpenToClose) {
    make_dictionary();
    Received received;
    EXPECT_EQ(dispatch(SD_CLOSE), SD_E_ARGUMENT);
    EXPECT_EQ(dispatch(SD_WORD_CALLBACK, reinterpret_cast<intptr_t>(&on_word)), SD_DONE);
    EXPECT_EQ(dispatch(SD_WORD_CONTEXT, reinterpret_cast<intptr_t>(&received)), SD_DONE);
    ASSERT_EQ(dispatch(SD_OPEN, reinterpret_cast<intptr_t>(path.c_str())), SD_DONE);
    EXPECT_EQ(dispatch(SD_STRESS, reinterpret_cast<intptr_t>("x"), 1), SD_E_ARGUMENT);
    ASSERT_EQ(dispatch(SD_BEGIN), SD_DONE);
    EXPECT_EQ(dispatch(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&on_text)), SD_DONE);
    EXPECT_EQ(dispatch(SD_TEXT_CONTEXT, reinterpret_cast<intptr_t>(&received)), SD_DONE);
    const std::string text = "\xCC\xE0\xEC\xE0 \xEC\xFB\xEB\xE0 \xF0\xE0\xEC\xF3";  // Мама мыла раму
    EXPECT_EQ(dispatch(SD_STRESS, reinterpret_cast<intptr_t>(text.data()), static_cast<uint32_t>(text.size())), 0);
    ASSERT_EQ(received.texts.size(), 1u);
    EXPECT_EQ(received.texts[0], "\xEC\xE0+\xEC\xE0 \xEC\xFB\xEB\xE0 \xF0\xE0\xEC\xF3");
    EXPECT_EQ(received.positions, (std::vector<int32_t>{1, 6, 11}));
    EXPECT_EQ(received.words.at(0), "\xEC\xE0+\xEC\xE0");
    EXPECT_EQ(dispatch(SD_CODE_PAGE, 65001), SD_DONE);
    const std::string utf8 = "Мама";
    EXPECT_EQ(dispatch(SD_STRESS, reinterpret_cast<intptr_t>(utf8.data()), static_cast<uint32_t>(utf8.size())), 0);
    EXPECT_EQ(received.texts.back(), "ма+ма");
    int32_t count = 0;
    EXPECT_EQ(dispatch(SD_GET_COUNT, reinterpret_cast<intptr_t>(&count)), 0);
    EXPECT_EQ(count, 1);
#if defined(_WIN32)
    // Pointers the system reports inaccessible are refused.
    EXPECT_EQ(dispatch(SD_STRESS, 1, 10), SD_E_ARGUMENT);
    EXPECT_EQ(dispatch(SD_SELECT_DICTIONARY, 1, 4), SD_E_ARGUMENT);
    EXPECT_EQ(dispatch(SD_GET_COUNT, reinterpret_cast<intptr_t>("read-only")), SD_E_ARGUMENT);
#endif
    EXPECT_EQ(dispatch(SD_END), SD_DONE);
    EXPECT_EQ(dispatch(SD_CLOSE), SD_DONE);
#if defined(_WIN32)
    // An unreadable path is ignored: the stored one opens again.
    EXPECT_EQ(dispatch(SD_OPEN_READONLY, 1), SD_DONE);
    EXPECT_EQ(dispatch(SD_CLOSE), SD_DONE);
#endif
    EXPECT_EQ(dispatch(SD_WORD_CALLBACK, 0), SD_DONE);
}

}  // namespace
}  // namespace vl::dict
