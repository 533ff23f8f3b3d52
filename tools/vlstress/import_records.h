#pragma once
// Writing word records into a dictionary database through the database
// functions that the stress library passes on.
#include <string>
#include <vector>

#include "tools/vlstress/word_records.h"

namespace vl::stress_tool {

enum class ImportResult {
    done,
    busy,    // another program held the file for the whole wait
    failed,  // the database failed otherwise
};

// Inserts the records into the main table in one transaction (a record replaces
// one with the same key) and removes the cached "count" of the info table, which
// they made stale. Unless done, nothing is changed.
ImportResult import_records(const std::string& utf8_path, const std::string& main_table,
                            const std::vector<WordRecord>& records);

}  // namespace vl::stress_tool
