#pragma once
// The process's pronunciation tables at voice set-up and when a voice object goes.
#include <filesystem>
#include <string_view>

#include "base/published.h"
#include "textprep/pronunciation_tables.h"

namespace vl {

// Moves the pronunciation groups out of prefs.ini into the Russian pronunc.dic,
// then loads the language folder's pronunc.dic on top of the published tables
// and publishes the result. False when that file could be neither created nor
// opened; the published tables then stay as they were.
bool set_up_pronunciation_tables(const std::filesystem::path& settings_path, const std::filesystem::path& russian_folder,
                                 const std::filesystem::path& language_folder, std::u16string_view language,
                                 Published<PronunciationTables>& tables);

// Empties the letter table and both rewrite lists; the symbol table stays.
void release_pronunciation_tables(Published<PronunciationTables>& tables);

}  // namespace vl
