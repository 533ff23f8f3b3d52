// SQLite's amalgamation, generated into the build folder by scripts/fetch-sqlite.sh.
#include "lexdb/sqlite_names.h"
#include "sqlite3.c"
