#include "tools/vlstress/import_records.h"

#include "lexdb/include/lexdb_api.h"

namespace vl::stress_tool {

namespace {

// One connection with a write transaction, rolled back unless committed.
class WriteSession {
public:
    explicit WriteSession(const std::string& path) {
        if (sqlite3_open(path.c_str(), &connection_) != 0 || !connection_) return;
        btree_ = sqlite3_get_btree(connection_);
        in_transaction_ = sqlite3BtreeBeginTrans(btree_, 1) == 0;
    }
    ~WriteSession() {
        if (in_transaction_) sqlite3BtreeRollback(btree_);
        if (connection_) sqlite3_close(connection_);
    }
    bool ready() const { return in_transaction_; }
    LexConnection* connection() const { return connection_; }
    bool commit() {
        in_transaction_ = false;
        return sqlite3BtreeCommit(btree_) == 0;
    }

private:
    LexConnection* connection_ = nullptr;
    LexBtree* btree_ = nullptr;
    bool in_transaction_ = false;
};

class Cursor {
public:
    Cursor(LexConnection* connection, const std::string& table) {
        ok_ = sqlite3_open_dict(connection, table.c_str(), 1, &cursor_) == 0 && cursor_;
    }
    ~Cursor() {
        if (cursor_) sqlite3BtreeCloseCursor(cursor_);
    }
    bool ok() const { return ok_; }
    LexCursor* get() const { return cursor_; }

private:
    LexCursor* cursor_ = nullptr;
    bool ok_ = false;
};

bool remove_key(LexCursor* cursor, std::string_view key) {
    int32_t position = 0;
    if (sqlite3BtreeMoveto(cursor, key.data(), static_cast<int64_t>(key.size()), &position) != 0) return false;
    return position != 0 || sqlite3BtreeDelete(cursor) == 0;
}

}  // namespace

bool import_records(const std::string& utf8_path, const std::string& main_table,
                    const std::vector<WordRecord>& records) {
    WriteSession session(utf8_path);
    if (!session.ready()) return false;
    {
        Cursor main(session.connection(), main_table);
        Cursor info(session.connection(), main_table + "_info");
        if (!main.ok() || !info.ok()) return false;
        for (const WordRecord& record : records) {
            if (sqlite3BtreeInsert(main.get(), record.key.data(), static_cast<int64_t>(record.key.size()),
                                   record.data.data(), static_cast<int32_t>(record.data.size())) != 0)
                return false;
        }
        if (!remove_key(info.get(), "count")) return false;
    }
    return session.commit();
}

}  // namespace vl::stress_tool
