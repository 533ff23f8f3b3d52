#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "stress/tests/stress_fixture.h"

namespace vl::dict {
namespace {

using test::cp1251;

class StressDispatchTest : public test::StressDictionaryTest {
protected:
    void SetUp() override {
        StressDictionaryTest::SetUp();
        add_records({{cp1251("мама"), "\x03"}, {cp1251("рама"), "\x02"}});
    }
    intptr_t path_arg() const { return reinterpret_cast<intptr_t>(path.c_str()); }
};

TEST_F(StressDispatchTest, CodesThatAreNoCommandsChangeNothing) {
    for (int32_t code : {0, 5, 999, 104, 106, 108, 110, -4, 300}) {
        EXPECT_EQ(run(code, 12345, 7), SD_DONE) << code;
    }
    EXPECT_EQ(state.open_count, 0);
    EXPECT_EQ(state.code_page, 0);
    EXPECT_EQ(state.text_context, 0);
    EXPECT_EQ(state.store.main_table, "lexicon");
}

TEST_F(StressDispatchTest, OpensNestAndTheLastCloseClosesTheDatabase) {
    EXPECT_EQ(run(SD_OPEN, path_arg()), SD_DONE);
    EXPECT_EQ(run(SD_OPEN_READONLY, path_arg()), SD_STILL_OPEN);
    EXPECT_EQ(state.store.write_mode, 1);  // the first open chose it
    EXPECT_EQ(run(SD_CLOSE), SD_STILL_OPEN);
    EXPECT_NE(state.store.connection, nullptr);
    EXPECT_EQ(run(SD_CLOSE), SD_DONE);
    EXPECT_EQ(state.store.connection, nullptr);
    // Nothing is open any more.
    EXPECT_EQ(run(SD_CLOSE), SD_E_ARGUMENT);
    EXPECT_EQ(state.open_count, 0);
    // The stored path serves an open without one.
    EXPECT_EQ(run(SD_OPEN_READONLY), SD_DONE);
    EXPECT_EQ(state.store.write_mode, 0);
    EXPECT_EQ(run(SD_CLOSE), SD_DONE);
}

TEST_F(StressDispatchTest, FailedOpenLeavesTheLibraryClosed) {
    const std::string missing = path_utf8(folder / "no" / "such" / "dict.dat");
    EXPECT_EQ(run(SD_OPEN, reinterpret_cast<intptr_t>(missing.c_str())), SD_E_DATABASE);
    EXPECT_EQ(state.open_count, 0);
    EXPECT_EQ(state.store.connection, nullptr);
    EXPECT_EQ(run(SD_BEGIN), SD_E_ARGUMENT);
    EXPECT_EQ(run(SD_CLOSE), SD_E_ARGUMENT);
    // Read-only opens need the tables to exist.
    const std::string fresh = path_utf8(folder / "fresh.dat");
    EXPECT_EQ(run(SD_OPEN_READONLY, reinterpret_cast<intptr_t>(fresh.c_str())), SD_E_DATABASE);
}

TEST_F(StressDispatchTest, PathsOf260BytesOrMoreAreRefusedNeverShortened) {
    // A file of the test's folder whose path is this many bytes long.
    const auto long_path = [&](size_t length) {
        const std::string in_folder = path_utf8(folder) + "/";
        return in_folder + std::string(length - in_folder.size() - 4, 'f') + ".dat";
    };
    for (size_t length : {size_t(260), size_t(300)}) {
        const std::string refused = long_path(length);
        ASSERT_EQ(refused.size(), length);
        EXPECT_EQ(run(SD_OPEN, reinterpret_cast<intptr_t>(refused.c_str())), SD_E_DATABASE) << length;
        EXPECT_EQ(state.open_count, 0);
        EXPECT_EQ(state.store.connection, nullptr);
        // Nothing was made, neither under the whole name nor under a shortened one.
        EXPECT_FALSE(std::filesystem::exists(refused));
        EXPECT_FALSE(std::filesystem::exists(refused.substr(0, 259)));
        EXPECT_FALSE(std::filesystem::exists(refused.substr(0, 260)));
        // A later open without a path does not fall back to another file.
        EXPECT_EQ(run(SD_OPEN), SD_E_DATABASE);
    }
    const std::string longest = long_path(259);
    EXPECT_EQ(run(SD_OPEN, reinterpret_cast<intptr_t>(longest.c_str())), SD_DONE);
    EXPECT_EQ(run(SD_CLOSE), SD_DONE);
    EXPECT_TRUE(std::filesystem::exists(longest));
}

TEST_F(StressDispatchTest, BeginClearsTheTextCallbackButKeepsTheWordCallback) {
    test::Recorded early;
    run(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&test::record_text));
    run(SD_TEXT_CONTEXT, reinterpret_cast<intptr_t>(&early));
    run(SD_WORD_CALLBACK, reinterpret_cast<intptr_t>(&test::record_word));
    run(SD_WORD_CONTEXT, reinterpret_cast<intptr_t>(&early));
    run(SD_CODE_PAGE, 65001);
    ASSERT_EQ(run(SD_OPEN, path_arg()), SD_DONE);
    ASSERT_EQ(run(SD_BEGIN), SD_DONE);
    EXPECT_EQ(state.text_callback, nullptr);
    EXPECT_EQ(state.text_context, 0);
    EXPECT_EQ(state.code_page, 1251);
    // No text callback: the stress still runs and reports its words.
    EXPECT_EQ(run(SD_STRESS, cp1251("мама мыла")), 0);
    EXPECT_TRUE(early.texts.empty());
    EXPECT_EQ(early.words.size(), 2u);
}

TEST_F(StressDispatchTest, StressWithSizeZeroGivesOneEmptyText) {
    begin_recording();
    EXPECT_EQ(run(SD_STRESS, 0, 0), 0);
    EXPECT_EQ(recorded.texts, std::vector<std::string>{""});
    EXPECT_EQ(run(SD_STRESS, 0, 5), SD_E_ARGUMENT);
    EXPECT_EQ(recorded.texts.size(), 1u);
}

TEST_F(StressDispatchTest, SelectDictionaryNamesTheThreeTables) {
    const std::string name = "sl_ukXYZ";
    EXPECT_EQ(run(SD_SELECT_DICTIONARY, reinterpret_cast<intptr_t>(name.data()), 5), SD_DONE);
    EXPECT_EQ(state.store.main_table, "sl_uk");
    EXPECT_EQ(state.store.info_table, "sl_uk_info");
    EXPECT_EQ(state.store.anti_table, "sl_uk_anti");
    EXPECT_EQ(run(SD_SELECT_DICTIONARY, 0, 4), SD_E_ARGUMENT);
    EXPECT_EQ(state.store.main_table, "sl_uk");
    EXPECT_EQ(run(SD_SELECT_DICTIONARY, 0, 0), SD_DONE);
    EXPECT_EQ(state.store.main_table, "lexicon");
    EXPECT_EQ(state.store.info_table, "lexicon_info");
    EXPECT_EQ(state.store.anti_table, "lexicon_anti");
}

TEST_F(StressDispatchTest, SelectedDictionaryServesTheLookups) {
    add_records({{cp1251("мама"), "\x01"}}, "abcd");
    run(SD_SELECT_DICTIONARY, reinterpret_cast<intptr_t>("abcd"), 4);
    begin_recording();
    EXPECT_EQ(stressed("мама"), "+мама");
    // Open cursors stay on their table.
    run(SD_SELECT_DICTIONARY, 0, 0);
    EXPECT_EQ(stressed("мама"), "+мама");
    run(SD_END);
    ASSERT_EQ(run(SD_BEGIN), SD_DONE);
    run(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&test::record_text));
    run(SD_TEXT_CONTEXT, reinterpret_cast<intptr_t>(&recorded));
    EXPECT_EQ(stressed("мама"), "ма+ма");
}

TEST_F(StressDispatchTest, CountIsWalkedOnceThenRead) {
    begin_recording();
    int32_t count = 0;
    EXPECT_EQ(run(SD_GET_COUNT, reinterpret_cast<intptr_t>(&count)), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(run(SD_GET_COUNT, 0), SD_E_ARGUMENT);
    add_records({{cp1251("папа"), "\x02"}});  // another writer leaves the count as it was
    EXPECT_EQ(run(SD_GET_COUNT, reinterpret_cast<intptr_t>(&count)), 0);
    EXPECT_EQ(count, 2);
}

TEST_F(StressDispatchTest, ReadOnlyCountIsReportedButNotEstablished) {
    ASSERT_EQ(run(SD_OPEN_READONLY, path_arg()), SD_DONE);
    ASSERT_EQ(run(SD_BEGIN), SD_DONE);
    int32_t count = 0;
    EXPECT_EQ(run(SD_GET_COUNT, reinterpret_cast<intptr_t>(&count)), 1);
    EXPECT_EQ(count, 2);
}

TEST_F(StressDispatchTest, CallsOutOfOrderAreRefusedAndChangeNothing) {
    int32_t count = 7;
    EXPECT_EQ(run(SD_STRESS, cp1251("мама")), SD_E_ARGUMENT);
    EXPECT_EQ(run(SD_GET_COUNT, reinterpret_cast<intptr_t>(&count)), SD_E_ARGUMENT);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(run(SD_END), SD_DONE);
    begin_recording();
    LexCursor* cursor = state.store.main_cursor;
    EXPECT_EQ(run(SD_BEGIN), SD_E_ARGUMENT);  // a second begin keeps the phase
    EXPECT_EQ(state.store.main_cursor, cursor);
    EXPECT_EQ(state.code_page, 1251);
    EXPECT_EQ(stressed("мама"), "ма+ма");
    // The last close ends the lookup phase with it.
    EXPECT_EQ(run(SD_CLOSE), SD_DONE);
    EXPECT_EQ(state.store.main_cursor, nullptr);
    EXPECT_EQ(run(SD_STRESS, cp1251("мама")), SD_E_ARGUMENT);
    EXPECT_EQ(run(SD_GET_COUNT, reinterpret_cast<intptr_t>(&count)), SD_E_ARGUMENT);
    EXPECT_EQ(run(SD_END), SD_DONE);
}

int32_t VLDICT_CALL throwing_text(intptr_t, const char*) { throw std::runtime_error("callback failed"); }

TEST_F(StressDispatchTest, FailureDuringACommandBecomesArgumentError) {
    begin_recording();
    run(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&throwing_text));
    EXPECT_EQ(run(SD_STRESS, cp1251("мама")), SD_E_ARGUMENT);
    EXPECT_EQ(run(SD_END), SD_DONE);
}

}  // namespace
}  // namespace vl::dict
