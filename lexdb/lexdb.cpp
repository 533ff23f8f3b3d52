// lexdb over SQLite: each named table is an SQLite table of BLOB key and BLOB data
// (keys ordered as bytes), each cursor a set of prepared statements on its table,
// each write transaction an SQLite transaction.
#include "lexdb/include/lexdb_api.h"

#include "lexdb/sqlite_names.h"
#include <sqlite3.h>
#undef sqlite3_open
#undef sqlite3_close
#undef sqlite3_errmsg

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_set>

struct LexBtree {
    LexConnection* connection;
};

struct LexConnection {
    sqlite3* db = nullptr;
    LexBtree btree{this};
    std::unordered_set<LexCursor*> cursors;
    // Raised by every change, so that a cursor's walk knows to seek again.
    uint64_t generation = 0;
    // A file this connection created; removed at closing if nothing was written to it.
    std::filesystem::path created;
};

struct LexCursor {
    LexConnection* connection = nullptr;
    bool writable = false;
    sqlite3_stmt* seek = nullptr;    // first record with key >= ?1
    sqlite3_stmt* last = nullptr;    // the record with the largest key
    sqlite3_stmt* first = nullptr;   // every record in key order
    sqlite3_stmt* after = nullptr;   // every record with key > ?1, in key order
    sqlite3_stmt* insert = nullptr;  // writable cursors only
    sqlite3_stmt* remove = nullptr;  // writable cursors only

    bool valid = false;  // on a record
    std::string key, data;
    sqlite3_stmt* walking = nullptr;  // first or after, while a walk is stepping
    uint64_t walk_generation = 0;
};

namespace {

// How long a call waits for another process's lock before it fails: seconds,
// as is usual for this kind of database, so that a writer outlasts a reader
// that renews its transaction now and then on any machine.
constexpr int kBusyWaitMs = 5000;

template <typename F>
int32_t guarded(F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return SQLITE_NOMEM;
    }
}

std::string quoted(const char* name) {
    std::string result = "\"";
    for (const char* p = name; *p; ++p) {
        result += *p;
        if (*p == '"') result += '"';
    }
    return result + "\"";
}

int32_t prepare(sqlite3* db, const std::string& sql, sqlite3_stmt** statement) {
    return sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr);
}

int32_t prepare_statements(LexCursor& cursor, const std::string& table) {
    sqlite3* db = cursor.connection->db;
    const std::string columns = "SELECT key, data FROM " + table;
    int32_t status = prepare(db, columns + " WHERE key >= ?1 ORDER BY key LIMIT 1", &cursor.seek);
    if (status == SQLITE_OK) status = prepare(db, columns + " ORDER BY key DESC LIMIT 1", &cursor.last);
    if (status == SQLITE_OK) status = prepare(db, columns + " ORDER BY key", &cursor.first);
    if (status == SQLITE_OK) status = prepare(db, columns + " WHERE key > ?1 ORDER BY key", &cursor.after);
    if (status == SQLITE_OK && cursor.writable)
        status = prepare(db, "INSERT OR REPLACE INTO " + table + " (key, data) VALUES (?1, ?2)", &cursor.insert);
    if (status == SQLITE_OK && cursor.writable)
        status = prepare(db, "DELETE FROM " + table + " WHERE key = ?1", &cursor.remove);
    return status;
}

void finalize_statements(LexCursor& cursor) {
    for (sqlite3_stmt** s : {&cursor.seek, &cursor.last, &cursor.first, &cursor.after, &cursor.insert,
                             &cursor.remove}) {
        sqlite3_finalize(*s);
        *s = nullptr;
    }
    cursor.walking = nullptr;
}

void stop_walk(LexCursor& cursor) {
    if (cursor.walking) sqlite3_reset(cursor.walking);
    cursor.walking = nullptr;
}

void stop_walks(LexConnection& connection) {
    for (LexCursor* cursor : connection.cursors) stop_walk(*cursor);
}

// Binds bytes as a BLOB; an empty key stays an empty BLOB, not NULL. Bytes that
// change while the statement steps are copied.
int32_t bind_bytes(sqlite3_stmt* statement, int index, const void* bytes, int64_t length, bool copy = false) {
    if (length < 0 || length > INT32_MAX || (length > 0 && !bytes)) return SQLITE_MISUSE;
    return sqlite3_bind_blob(statement, index, length ? bytes : "", static_cast<int>(length),
                             copy ? SQLITE_TRANSIENT : SQLITE_STATIC);
}

std::string column_bytes(sqlite3_stmt* statement, int column) {
    const void* bytes = sqlite3_column_blob(statement, column);
    const int length = sqlite3_column_bytes(statement, column);
    return bytes ? std::string(static_cast<const char*>(bytes), length) : std::string();
}

// Steps the statement once: the cursor lands on the row, or becomes invalid at
// the end. *found tells which.
int32_t step_onto(LexCursor& cursor, sqlite3_stmt* statement, bool& found) {
    const int status = sqlite3_step(statement);
    found = status == SQLITE_ROW;
    cursor.valid = found;
    if (found) {
        cursor.key = column_bytes(statement, 0);
        cursor.data = column_bytes(statement, 1);
        return SQLITE_OK;
    }
    return status == SQLITE_DONE ? SQLITE_OK : status;
}

// Runs a single-row query and resets it at once, so no statement stays pending.
int32_t seek_once(LexCursor& cursor, sqlite3_stmt* statement, bool& found) {
    const int32_t status = step_onto(cursor, statement, found);
    sqlite3_reset(statement);
    return status;
}

int32_t walk_step(LexCursor& cursor, int32_t* end) {
    bool found = false;
    const int32_t status = step_onto(cursor, cursor.walking, found);
    if (!found) stop_walk(cursor);
    *end = found ? 0 : 1;
    return status;
}

// Runs a statement that returns no rows and resets it for its next use.
int32_t run_once(sqlite3_stmt* statement) {
    const int status = sqlite3_step(statement);
    sqlite3_reset(statement);
    return status == SQLITE_DONE ? SQLITE_OK : status;
}

int32_t copy_out(const std::string& bytes, uint32_t offset, uint32_t count, void* buffer) {
    if (uint64_t{offset} + count > bytes.size() || (count && !buffer)) return SQLITE_ERROR;
    if (count) std::memcpy(buffer, bytes.data() + offset, count);
    return SQLITE_OK;
}

int32_t exec(LexBtree* btree, const char* sql) {
    if (!btree) return SQLITE_MISUSE;
    return sqlite3_exec(btree->connection->db, sql, nullptr, nullptr, nullptr);
}

}  // namespace

extern "C" {

int32_t sqlite3_open(const char* path, LexConnection** connection) {
    if (!connection) return SQLITE_MISUSE;
    *connection = nullptr;
    if (!path) return SQLITE_MISUSE;
    return guarded([&] {
        auto* made = new LexConnection;
        *connection = made;
        const std::filesystem::path file(std::u8string(reinterpret_cast<const char8_t*>(path)));
        std::error_code error;
        if (*path && !std::filesystem::exists(file, error) && !error) made->created = file;
        const int status =
            sqlite3_open_v2(path, &made->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (made->db) sqlite3_extended_result_codes(made->db, 0);
        if (status == SQLITE_OK) {
            // A dictionary of a few hundred thousand words fits in the page cache.
            sqlite3_exec(made->db, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
            // Another process's write delays a read instead of failing it, and a reader a write.
            sqlite3_busy_timeout(made->db, kBusyWaitMs);
        }
        return status;
    });
}

int32_t sqlite3_close(LexConnection* connection) {
    if (!connection) return SQLITE_OK;
    // Cursors left open lose their statements; their handles stay valid for closing.
    for (LexCursor* cursor : connection->cursors) {
        finalize_statements(*cursor);
        cursor->connection = nullptr;
    }
    const int status = sqlite3_close_v2(connection->db);
    std::error_code error;
    if (!connection->created.empty() && std::filesystem::file_size(connection->created, error) == 0 && !error)
        std::filesystem::remove(connection->created, error);
    delete connection;
    return status;
}

const char* sqlite3_errmsg(LexConnection* connection) {
    return connection ? lexsql_errmsg(connection->db) : "no connection";
}

LexBtree* sqlite3_get_btree(LexConnection* connection) {
    return connection ? &connection->btree : nullptr;
}

int32_t sqlite3BtreeSetPageSize(LexBtree* btree, int32_t page_size, int32_t reserve) {
    return guarded([&] { return exec(btree, ("PRAGMA page_size = " + std::to_string(page_size)).c_str()); });
}

int32_t sqlite3_open_dict(LexConnection* connection, const char* table, int32_t write_flag, LexCursor** cursor) {
    if (!cursor) return SQLITE_MISUSE;
    *cursor = nullptr;
    if (!connection || !table) return SQLITE_MISUSE;
    return guarded([&] {
        auto* made = new LexCursor;
        made->connection = connection;
        made->writable = write_flag != 0;
        const std::string name = quoted(table);
        int32_t status = prepare_statements(*made, name);
        if (status == SQLITE_ERROR && made->writable) {
            // Most likely a missing table: create it and try once more.
            finalize_statements(*made);
            status = sqlite3_exec(connection->db,
                                  ("CREATE TABLE IF NOT EXISTS " + name +
                                   " (key BLOB PRIMARY KEY, data BLOB NOT NULL) WITHOUT ROWID")
                                      .c_str(),
                                  nullptr, nullptr, nullptr);
            if (status == SQLITE_OK) status = prepare_statements(*made, name);
        }
        if (status != SQLITE_OK) {
            finalize_statements(*made);
            delete made;
            return status;
        }
        connection->cursors.insert(made);
        *cursor = made;
        return SQLITE_OK;
    });
}

int32_t sqlite3BtreeCloseCursor(LexCursor* cursor) {
    if (!cursor) return SQLITE_OK;
    finalize_statements(*cursor);
    if (cursor->connection) cursor->connection->cursors.erase(cursor);
    delete cursor;
    return SQLITE_OK;
}

int32_t sqlite3BtreeBeginTrans(LexBtree* btree, int32_t write_flag) {
    return exec(btree, write_flag ? "BEGIN IMMEDIATE" : "BEGIN");
}

int32_t sqlite3BtreeCommit(LexBtree* btree) {
    if (!btree) return SQLITE_MISUSE;
    LexConnection& connection = *btree->connection;
    stop_walks(connection);
    // Another process's reader keeps the commit from writing the file. SQLite
    // does not wait for it here, so the commit is tried again for as long as any
    // lock is waited for; a commit that still fails is rolled back, so that no
    // lock outlives the failed call.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyWaitMs);
    int32_t status = exec(btree, "COMMIT");
    while (status == SQLITE_BUSY && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        status = exec(btree, "COMMIT");
    }
    if (status != SQLITE_OK && !sqlite3_get_autocommit(connection.db)) {
        ++connection.generation;
        exec(btree, "ROLLBACK");
    }
    return status;
}

int32_t sqlite3BtreeRollback(LexBtree* btree) {
    if (!btree) return SQLITE_MISUSE;
    stop_walks(*btree->connection);
    ++btree->connection->generation;
    return exec(btree, "ROLLBACK");
}

int32_t sqlite3BtreeMoveto(LexCursor* cursor, const void* key, int64_t key_length, int32_t* position) {
    if (!cursor || !cursor->connection || !position) return SQLITE_MISUSE;
    return guarded([&] {
        stop_walk(*cursor);
        int32_t status = bind_bytes(cursor->seek, 1, key, key_length);
        bool found = false;
        if (status == SQLITE_OK) status = seek_once(*cursor, cursor->seek, found);
        if (status != SQLITE_OK) return status;
        if (found) {
            const bool exact = cursor->key.size() == static_cast<size_t>(key_length) &&
                               (key_length == 0 || std::memcmp(cursor->key.data(), key, key_length) == 0);
            *position = exact ? 0 : 1;
            return SQLITE_OK;
        }
        *position = -1;
        return seek_once(*cursor, cursor->last, found);
    });
}

int32_t sqlite3BtreeDataSize(LexCursor* cursor, uint32_t* size) {
    if (!cursor || !cursor->valid || !size) return SQLITE_MISUSE;
    *size = static_cast<uint32_t>(cursor->data.size());
    return SQLITE_OK;
}

int32_t sqlite3BtreeData(LexCursor* cursor, uint32_t offset, uint32_t count, void* buffer) {
    if (!cursor || !cursor->valid) return SQLITE_MISUSE;
    return copy_out(cursor->data, offset, count, buffer);
}

int32_t sqlite3BtreeKeySize(LexCursor* cursor, int64_t* size) {
    if (!cursor || !cursor->valid || !size) return SQLITE_MISUSE;
    *size = static_cast<int64_t>(cursor->key.size());
    return SQLITE_OK;
}

int32_t sqlite3BtreeKey(LexCursor* cursor, uint32_t offset, uint32_t count, void* buffer) {
    if (!cursor || !cursor->valid) return SQLITE_MISUSE;
    return copy_out(cursor->key, offset, count, buffer);
}

int32_t sqlite3BtreeInsert(LexCursor* cursor, const void* key, int64_t key_length, const void* data,
                           int32_t data_length) {
    if (!cursor || !cursor->connection) return SQLITE_MISUSE;
    if (!cursor->writable) return SQLITE_READONLY;
    return guarded([&] {
        stop_walk(*cursor);
        int32_t status = bind_bytes(cursor->insert, 1, key, key_length);
        if (status == SQLITE_OK) status = bind_bytes(cursor->insert, 2, data, data_length);
        if (status == SQLITE_OK) status = run_once(cursor->insert);
        if (status != SQLITE_OK) return status;
        ++cursor->connection->generation;
        cursor->key.assign(static_cast<const char*>(key), static_cast<size_t>(key_length));
        cursor->data.assign(static_cast<const char*>(data), static_cast<size_t>(data_length));
        cursor->valid = true;
        return SQLITE_OK;
    });
}

int32_t sqlite3BtreeDelete(LexCursor* cursor) {
    if (!cursor || !cursor->connection || !cursor->valid) return SQLITE_MISUSE;
    if (!cursor->writable) return SQLITE_READONLY;
    stop_walk(*cursor);
    int32_t status = bind_bytes(cursor->remove, 1, cursor->key.data(), static_cast<int64_t>(cursor->key.size()));
    if (status == SQLITE_OK) status = run_once(cursor->remove);
    if (status == SQLITE_OK) ++cursor->connection->generation;
    return status;
}

int32_t sqlite3BtreeFirst(LexCursor* cursor, int32_t* end) {
    if (!cursor || !cursor->connection || !end) return SQLITE_MISUSE;
    return guarded([&] {
        stop_walk(*cursor);
        cursor->walking = cursor->first;
        cursor->walk_generation = cursor->connection->generation;
        return walk_step(*cursor, end);
    });
}

int32_t sqlite3BtreeNext(LexCursor* cursor, int32_t* end) {
    if (!cursor || !cursor->connection || !end) return SQLITE_MISUSE;
    if (!cursor->valid) {
        *end = 1;
        return SQLITE_OK;
    }
    return guarded([&] {
        if (!cursor->walking || cursor->walk_generation != cursor->connection->generation) {
            // The table changed or the cursor was moved: continue after the current key.
            stop_walk(*cursor);
            const int32_t status =
                bind_bytes(cursor->after, 1, cursor->key.data(), static_cast<int64_t>(cursor->key.size()), true);
            if (status != SQLITE_OK) return status;
            cursor->walking = cursor->after;
            cursor->walk_generation = cursor->connection->generation;
        }
        return walk_step(*cursor, end);
    });
}

}  // extern "C"
