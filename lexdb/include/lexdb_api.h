#pragma once
// The database library `lexdb`: named tables of byte-string keys and data, with
// cursors and write transactions. C calling convention; every function returns a
// status, 0 for success, unless its comment says otherwise.
#include <stdint.h>

#if defined(LEXDB_BUILD) && !defined(_WIN32)
#define LEXDB_API __attribute__((visibility("default")))
#else
#define LEXDB_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The status of a call that waited seconds for another process's lock on the
// file and still did not get it.
enum { LEXDB_BUSY = 5 };

typedef struct LexConnection LexConnection;
typedef struct LexBtree LexBtree;
typedef struct LexCursor LexCursor;

// Opens (creating when missing) the database file at the UTF-8 path. The connection
// comes back even on failure, when it could be made, and must then be closed.
LEXDB_API int32_t sqlite3_open(const char* path, LexConnection** connection);
// Closes the connection; cursors still open stay valid only for their own closing.
LEXDB_API int32_t sqlite3_close(LexConnection* connection);
// Text of the connection's last failure; valid until its next call.
LEXDB_API const char* sqlite3_errmsg(LexConnection* connection);
// The connection's btree handle (not a status); null for a null connection.
LEXDB_API LexBtree* sqlite3_get_btree(LexConnection* connection);
// Page size for a database not yet written; reserve -1 leaves the reserve unchanged.
LEXDB_API int32_t sqlite3BtreeSetPageSize(LexBtree* btree, int32_t page_size, int32_t reserve);

// A cursor on the named table. Write flag 1 creates a missing table and allows
// inserts and deletes; write flag 0 fails for a missing table.
LEXDB_API int32_t sqlite3_open_dict(LexConnection* connection, const char* table, int32_t write_flag,
                                    LexCursor** cursor);
LEXDB_API int32_t sqlite3BtreeCloseCursor(LexCursor* cursor);

LEXDB_API int32_t sqlite3BtreeBeginTrans(LexBtree* btree, int32_t write_flag);
// A commit that cannot write (another process reading) is retried for as long as
// any call waits for a lock, then rolled back: its failure leaves no transaction.
LEXDB_API int32_t sqlite3BtreeCommit(LexBtree* btree);
LEXDB_API int32_t sqlite3BtreeRollback(LexBtree* btree);

// Seeks the key. *position: 0 when a record with exactly this key exists (the cursor
// is then on it), 1 when the cursor is on the next larger key, -1 when on the last
// smaller key or when the table is empty.
LEXDB_API int32_t sqlite3BtreeMoveto(LexCursor* cursor, const void* key, int64_t key_length,
                                     int32_t* position);
LEXDB_API int32_t sqlite3BtreeDataSize(LexCursor* cursor, uint32_t* size);
LEXDB_API int32_t sqlite3BtreeData(LexCursor* cursor, uint32_t offset, uint32_t count, void* buffer);
LEXDB_API int32_t sqlite3BtreeKeySize(LexCursor* cursor, int64_t* size);
LEXDB_API int32_t sqlite3BtreeKey(LexCursor* cursor, uint32_t offset, uint32_t count, void* buffer);
// Inserts the record, replacing one with an equal key; the cursor is then on it.
LEXDB_API int32_t sqlite3BtreeInsert(LexCursor* cursor, const void* key, int64_t key_length, const void* data,
                                     int32_t data_length);
// Deletes the record under the cursor; a following Next moves past its key.
LEXDB_API int32_t sqlite3BtreeDelete(LexCursor* cursor);
// *end: non-zero when there is no first (no next) record.
LEXDB_API int32_t sqlite3BtreeFirst(LexCursor* cursor, int32_t* end);
LEXDB_API int32_t sqlite3BtreeNext(LexCursor* cursor, int32_t* end);

#ifdef __cplusplus
}
#endif
