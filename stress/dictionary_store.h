#pragma once
// The stress dictionary's database: locating and verifying the file, the lookup
// cursors, record fetches and the entry counts cached in the info table.
#include "lexdb/include/lexdb_api.h"
#include "stress/include/vldict.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vl::dict {

// The store's part of the library's process-wide state.
struct DictionaryStore {
    int32_t write_mode = 1;  // 1 read and write, 0 read only
    std::string path;        // UTF-8 (a caller's path comes in the ANSI code page); kept after closing
    bool path_too_long = false;  // the caller's path is refused, and stays so until another is given
    LexConnection* connection = nullptr;
    std::string main_table = "lexicon";
    std::string info_table = "lexicon_info";
    std::string anti_table = "lexicon_anti";
    LexCursor* main_cursor = nullptr;
    LexCursor* anti_cursor = nullptr;
};

// Names the dictionary's tables: the main table, and after it its info and
// exceptions tables.
void select_tables(DictionaryStore& store, std::string_view main_table);

inline constexpr size_t kMaxDatabasePath = VLDICT_MAX_PATH;

// Opens the database under the current write mode and verifies its six tables.
// A given path (even an empty one) replaces the stored one; an empty one is
// then located: the user's own file when it exists, else the machine-wide
// one registered by the installer, else the user's, made here. SD_DONE, or
// SD_E_DATABASE with no connection kept (also for a path of kMaxDatabasePath
// bytes or more).
int32_t open_dictionary(DictionaryStore& store, std::optional<std::string_view> path);
void close_dictionary(DictionaryStore& store);

// Opens the main and exceptions cursors: SD_DONE or SD_E_DATABASE; a cursor that
// opened stays open either way.
int32_t begin_lookup(DictionaryStore& store);
void end_lookup(DictionaryStore& store);

// One read transaction held on the store's connection while a text's words are
// looked up, so that each lookup does not take and check the file lock on its
// own. renew() ends it and begins the next, so that a writer in another process
// gets its turn. Where no transaction can begin (one is already open, or there is
// no connection) lookups run as before, each in its own implicit one.
class ReadTransaction {
public:
    explicit ReadTransaction(const DictionaryStore& store);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    void renew();

private:
    void begin();
    void end();

    LexBtree* btree_;
    bool open_ = false;
};

// The data of the record with exactly this key: status 0, 12 when there is none,
// or the database library's failure. size_unread, when given, tells whether the
// failure came from reading the data size.
int32_t fetch_entry(LexCursor* cursor, std::string_view key, std::string& data, bool* size_unread = nullptr);

// The count stored under the key of the info table, or -1 when missing or unreadable.
int32_t read_info_count(const DictionaryStore& store, std::string_view key);
// Stores the count as decimal text in its own write transaction; 8 in read-only mode.
int32_t write_info_count(const DictionaryStore& store, std::string_view key, int32_t count);
int32_t insert_record(LexCursor* cursor, std::string_view key, std::string_view data);

// Reads the cached counts, walking a table (and caching its count) when its count
// is missing. 0 when counted, 1 when the last count could not be established,
// SD_E_DATABASE when the database failed.
int32_t count_entries(const DictionaryStore& store, LexCursor* main_cursor, LexCursor* anti_cursor,
                     int32_t* main_count, int32_t* anti_count);

}  // namespace vl::dict
