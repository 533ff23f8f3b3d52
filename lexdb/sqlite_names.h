#pragma once
// SQLite is compiled into lexdb under private names where its public names would
// clash with lexdb's own exports of the same names.
#define sqlite3_open lexsql_open
#define sqlite3_close lexsql_close
#define sqlite3_errmsg lexsql_errmsg
