#include "tools/vlstress/import_records.h"

#include "lexdb/include/lexdb_api.h"

namespace vl::stress_tool {

namespace {

ImportResult failure(int32_t status) { return status == LEXDB_BUSY ? ImportResult::busy : ImportResult::failed; }

// One connection with a write transaction, rolled back unless committed.
class WriteSession {
public:
    explicit WriteSession(const std::string& path) {
        if (sqlite3_open(path.c_str(), &connection_) != 0 || !connection_) return;
        btree_ = sqlite3_get_btree(connection_);
        begun_ = sqlite3BtreeBeginTrans(btree_, 1);
        in_transaction_ = begun_ == 0;
    }
    ~WriteSession() {
        if (in_transaction_) sqlite3BtreeRollback(btree_);
        if (connection_) sqlite3_close(connection_);
    }
    // The status of beginning the transaction; -1 when the file did not open.
    int32_t begun() const { return begun_; }
    LexConnection* connection() const { return connection_; }
    int32_t commit() {
        in_transaction_ = false;
        return sqlite3BtreeCommit(btree_);
    }

private:
    LexConnection* connection_ = nullptr;
    LexBtree* btree_ = nullptr;
    int32_t begun_ = -1;
    bool in_transaction_ = false;
};

class Cursor {
public:
    Cursor(LexConnection* connection, const std::string& table) {
        status_ = sqlite3_open_dict(connection, table.c_str(), 1, &cursor_);
    }
    ~Cursor() {
        if (cursor_) sqlite3BtreeCloseCursor(cursor_);
    }
    int32_t status() const { return status_; }
    LexCursor* get() const { return cursor_; }

private:
    LexCursor* cursor_ = nullptr;
    int32_t status_ = 0;
};

int32_t remove_key(LexCursor* cursor, std::string_view key) {
    int32_t position = 0;
    const int32_t status = sqlite3BtreeMoveto(cursor, key.data(), static_cast<int64_t>(key.size()), &position);
    return status != 0 || position != 0 ? status : sqlite3BtreeDelete(cursor);
}

}  // namespace

ImportResult import_records(const std::string& utf8_path, const std::string& main_table,
                            const std::vector<WordRecord>& records) {
    WriteSession session(utf8_path);
    if (session.begun() != 0) return failure(session.begun());
    {
        Cursor main(session.connection(), main_table);
        Cursor info(session.connection(), main_table + "_info");
        if (!main.get()) return failure(main.status());
        if (!info.get()) return failure(info.status());
        for (const WordRecord& record : records) {
            const int32_t status = sqlite3BtreeInsert(main.get(), record.key.data(),
                                                      static_cast<int64_t>(record.key.size()), record.data.data(),
                                                      static_cast<int32_t>(record.data.size()));
            if (status != 0) return failure(status);
        }
        if (const int32_t status = remove_key(info.get(), "count"); status != 0) return failure(status);
    }
    const int32_t committed = session.commit();
    return committed == 0 ? ImportResult::done : failure(committed);
}

}  // namespace vl::stress_tool
