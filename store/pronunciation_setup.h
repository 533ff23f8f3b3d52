#pragma once
// The process's pronunciation tables at voice set-up and when a voice object goes.
#include <filesystem>
#include <string_view>

#include "base/published.h"
#include "textprep/pronunciation_tables.h"

namespace vl {

// Builds the letter table and both rewrite lists anew from the language folder's
// pronunc.dic, adds its symbols to the symbol table, and publishes the result.
// (Building the lists anew keeps them from growing with every set-up while
// another voice object of the process keeps the tables alive.) False when the
// file could be neither created nor opened; the tables then stay as they were.
// Without may_write the file is only read (see load_pronunciation_tables).
bool set_up_pronunciation_tables(const std::filesystem::path& language_folder, std::u16string_view language,
                                 Published<PronunciationTables>& tables, bool may_write = true);

// Empties the letter table and both rewrite lists; the symbol table stays.
void release_pronunciation_tables(Published<PronunciationTables>& tables);

}  // namespace vl
