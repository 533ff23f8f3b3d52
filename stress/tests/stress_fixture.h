#pragma once
// A dictionary database in a fresh folder, a state to run commands on, and the
// callbacks a caller registers, recording what they receive.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/cp1251.h"
#include "base/utf.h"
#include "stress/stress_codes.h"
#include "stress/stress_dispatch.h"
#include "store/tests/temp_folder.h"

namespace vl::dict::test {

// UTF-8 text in code page 1251.
inline std::string cp1251(std::string_view utf8) { return to_cp1251(utf8_to_utf16(utf8), '?'); }
// Code page 1251 text in UTF-8.
inline std::string utf8(std::string_view cp1251_text) {
    std::u16string wide;
    for (char c : cp1251_text) wide += cp1251_to_unicode(static_cast<uint8_t>(c)).value_or(u'?');
    return utf16_to_utf8(wide);
}

struct Recorded {
    std::vector<std::string> texts;
    std::vector<std::pair<int32_t, std::string>> words;  // position, word (code page 1251)
};

inline int32_t VLDICT_CALL record_text(intptr_t context, const char* text) {
    reinterpret_cast<Recorded*>(context)->texts.emplace_back(text);
    return 0;
}
inline int32_t VLDICT_CALL record_word(intptr_t context, int32_t position, const char* word, int32_t length) {
    EXPECT_EQ(word[length], '\0');
    reinterpret_cast<Recorded*>(context)->words.emplace_back(position, std::string(word, length));
    return 0;
}

class StressDictionaryTest : public vl::test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        path = path_utf8(folder / "dict.dat");
    }
    void TearDown() override {
        close_dictionary(state.store);
        TempFolderTest::TearDown();
    }

    int32_t run(int32_t command, intptr_t arg = 0, uint32_t size = 0) { return dispatch_command(state, command, arg, size); }
    int32_t run(int32_t command, const std::string& text) {
        return dispatch_command(state, command, reinterpret_cast<intptr_t>(text.data()), static_cast<uint32_t>(text.size()));
    }

    // Adds word records (keys and data in code page 1251) to the main table of
    // the named dictionary, making the database when it does not exist yet.
    void add_records(const std::vector<std::pair<std::string, std::string>>& records,
                     const std::string& dictionary = "lexicon") {
        DictionaryStore store;
        select_tables(store, dictionary);
        ASSERT_EQ(open_dictionary(store, path), SD_DONE);
        ASSERT_EQ(begin_lookup(store), SD_DONE);
        LexBtree* btree = sqlite3_get_btree(store.connection);
        ASSERT_EQ(sqlite3BtreeBeginTrans(btree, 1), 0);  // one commit, not one per record
        for (const auto& [key, data] : records) ASSERT_EQ(insert_record(store.main_cursor, key, data), 0);
        ASSERT_EQ(sqlite3BtreeCommit(btree), 0);
        close_dictionary(store);
    }

    // Opens the database, begins a lookup phase and registers recording callbacks.
    void begin_recording(int32_t code_page = 1251) {
        ASSERT_EQ(run(SD_OPEN, reinterpret_cast<intptr_t>(path.c_str())), SD_DONE);
        ASSERT_EQ(run(SD_BEGIN), SD_DONE);
        run(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&record_text));
        run(SD_TEXT_CONTEXT, reinterpret_cast<intptr_t>(&recorded));
        run(SD_WORD_CALLBACK, reinterpret_cast<intptr_t>(&record_word));
        run(SD_WORD_CONTEXT, reinterpret_cast<intptr_t>(&recorded));
        run(SD_CODE_PAGE, code_page);
    }

    // The stressed form of a UTF-8 text stressed in code page 1251, in UTF-8.
    std::string stressed(std::string_view text) {
        recorded.texts.clear();
        EXPECT_EQ(run(SD_STRESS, cp1251(text)), 0);
        return recorded.texts.size() == 1 ? utf8(recorded.texts[0]) : "<no single text>";
    }

    DictionaryState state;
    std::string path;
    Recorded recorded;
};

}  // namespace vl::dict::test
