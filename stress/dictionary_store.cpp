#include "stress/dictionary_store.h"

#include <filesystem>
#include <system_error>

#include "base/utf.h"

#include "stress/count_text.h"
#include "platform/database_location.h"
#include "stress/stress_codes.h"

namespace vl::dict {

namespace {

void close_cursor(LexCursor*& cursor) {
    if (cursor) sqlite3BtreeCloseCursor(cursor);
    cursor = nullptr;
}

void forget_connection(DictionaryStore& store) {
    if (store.connection) sqlite3_close(store.connection);
    store.connection = nullptr;
}

bool exists(const std::string& utf8_path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(utf8_to_utf16(utf8_path)), error);
}

// The path the caller names, else the user's own file when it exists, else
// the machine-wide one the installer registered, else the user's (made on
// open). False when the caller's path is too long for the system's calls.
bool locate(DictionaryStore& store, std::optional<std::string_view> path) {
    if (path) {
        store.path_too_long = path->size() >= kMaxDatabasePath;
        store.path = ansi_path_to_utf8(*path);
    }
    if (store.path_too_long) return false;  // kept, so that a later open falls back to no other file
    if (!store.path.empty()) return true;
    const std::string own = default_database_path();
    if (!exists(own)) store.path = registry_database_path();
    if (store.path.empty()) store.path = own;
    return true;
}

// Every table this library needs, opened once under the write mode; all are tried.
bool tables_open(const DictionaryStore& store) {
    bool all_open = true;
    for (const char* name : {"empty", "empty_info", "empty_anti", store.main_table.c_str(),
                             store.info_table.c_str(), store.anti_table.c_str()}) {
        LexCursor* cursor = nullptr;
        if (sqlite3_open_dict(store.connection, name, store.write_mode, &cursor) != 0) all_open = false;
        close_cursor(cursor);
    }
    return all_open;
}

// Visits every record from the first: the number visited, or the failing status.
int32_t walk_count(LexCursor* cursor, int32_t& count) {
    count = 0;
    int32_t end = 0;
    int32_t status = sqlite3BtreeFirst(cursor, &end);
    while (status == 0 && !end) {
        ++count;
        status = sqlite3BtreeNext(cursor, &end);
    }
    return status;
}

}  // namespace

void select_tables(DictionaryStore& store, std::string_view main_table) {
    store.main_table = main_table;
    store.info_table = store.main_table + "_info";
    store.anti_table = store.main_table + "_anti";
}

int32_t open_dictionary(DictionaryStore& store, std::optional<std::string_view> path) {
    if (!locate(store, path)) return SD_E_DATABASE;
    if (sqlite3_open(store.path.c_str(), &store.connection) != 0 || !store.connection) {
        forget_connection(store);
        return SD_E_DATABASE;
    }
    sqlite3BtreeSetPageSize(sqlite3_get_btree(store.connection), 4096, -1);
    if (!tables_open(store)) {
        forget_connection(store);
        return SD_E_DATABASE;
    }
    return SD_DONE;
}

void close_dictionary(DictionaryStore& store) {
    end_lookup(store);
    forget_connection(store);
}

int32_t begin_lookup(DictionaryStore& store) {
    const int32_t main_status =
        sqlite3_open_dict(store.connection, store.main_table.c_str(), store.write_mode, &store.main_cursor);
    const int32_t anti_status =
        sqlite3_open_dict(store.connection, store.anti_table.c_str(), store.write_mode, &store.anti_cursor);
    return main_status == 0 && anti_status == 0 ? SD_DONE : SD_E_DATABASE;
}

void end_lookup(DictionaryStore& store) {
    close_cursor(store.main_cursor);
    close_cursor(store.anti_cursor);
}

ReadTransaction::ReadTransaction(const DictionaryStore& store)
    : btree_(store.connection ? sqlite3_get_btree(store.connection) : nullptr) {
    begin();
}

ReadTransaction::~ReadTransaction() { end(); }

void ReadTransaction::renew() {
    if (!open_) return;
    end();
    begin();
}

void ReadTransaction::begin() { open_ = btree_ && sqlite3BtreeBeginTrans(btree_, 0) == 0; }

void ReadTransaction::end() {
    if (open_) sqlite3BtreeCommit(btree_);
    open_ = false;
}

int32_t fetch_entry(LexCursor* cursor, std::string_view key, std::string& data, bool* size_unread) {
    if (size_unread) *size_unread = false;
    int32_t position = 0;
    int32_t status = sqlite3BtreeMoveto(cursor, key.data(), static_cast<int64_t>(key.size()), &position);
    if (status != 0) return status;
    if (position != 0) return kStatusNotFound;
    uint32_t size = 0;
    status = sqlite3BtreeDataSize(cursor, &size);
    if (status != 0) {
        if (size_unread) *size_unread = true;
        return status;
    }
    data.resize(size);
    return sqlite3BtreeData(cursor, 0, size, data.data());
}

int32_t read_info_count(const DictionaryStore& store, std::string_view key) {
    LexCursor* cursor = nullptr;
    if (sqlite3_open_dict(store.connection, store.info_table.c_str(), store.write_mode, &cursor) != 0) {
        close_cursor(cursor);
        return -1;
    }
    std::string data;
    const int32_t status = fetch_entry(cursor, key, data);
    close_cursor(cursor);
    if (status != 0) return -1;
    return parse_count_text(data).value_or(-1);
}

int32_t write_info_count(const DictionaryStore& store, std::string_view key, int32_t count) {
    if (store.write_mode == 0) return kStatusReadOnly;
    LexBtree* btree = sqlite3_get_btree(store.connection);
    int32_t status = sqlite3BtreeBeginTrans(btree, 1);
    if (status != 0) return status;
    LexCursor* cursor = nullptr;
    status = sqlite3_open_dict(store.connection, store.info_table.c_str(), 1, &cursor);
    if (status == 0) status = insert_record(cursor, key, std::to_string(count));
    // A failed commit (another program reading the file) has rolled itself back.
    if (status == 0)
        status = sqlite3BtreeCommit(btree);
    else
        sqlite3BtreeRollback(btree);
    close_cursor(cursor);
    return status;
}

int32_t insert_record(LexCursor* cursor, std::string_view key, std::string_view data) {
    return sqlite3BtreeInsert(cursor, key.data(), static_cast<int64_t>(key.size()), data.data(),
                              static_cast<int32_t>(data.size()));
}

int32_t count_entries(const DictionaryStore& store, LexCursor* main_cursor, LexCursor* anti_cursor,
                     int32_t* main_count, int32_t* anti_count) {
    int32_t status = 0;
    int32_t main = read_info_count(store, "count");
    if (main == -1) {
        int32_t walked = 0;
        status = walk_count(main_cursor, walked);
        if (status == 0) {
            status = write_info_count(store, "count", walked);
            main = walked;  // reported even when it could not be stored
        }
    }
    if (main_count) *main_count = main;
    int32_t last = main;
    if (anti_cursor) {
        int32_t anti = read_info_count(store, "count_anti");
        if (anti == -1) {
            int32_t walked = 0;
            status = walk_count(anti_cursor, walked);
            if (status == 0 && store.write_mode != 0) {
                status = write_info_count(store, "count_anti", walked);
                anti = walked;
            }
        }
        if (anti_count) *anti_count = anti;
        last = anti;
    }
    if (status != 0) return SD_E_DATABASE;
    return last == -1 ? 1 : 0;
}

}  // namespace vl::dict
