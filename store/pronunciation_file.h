#pragma once
// pronunc.dic: the pronunciation tables of one language, in the settings-file format.
#include <filesystem>
#include <string_view>

#include "textprep/pronunciation_tables.h"

namespace vl {

class SettingsFile;

// Reads pronunc.dic of the language folder and adds its entries to `tables`
// (maps overwrite equal keys, lists grow). A missing file is created; every
// missing default group for the language is written, and the file is rewritten
// when anything was added. Letter groups are read only for their fixed
// letters, with fallbacks; symbol and rewrite groups whole. Returns false, with
// `tables` unchanged, when the file can be neither created nor opened.
// Without may_write nothing is created or written: the file is read when it
// can be (an empty folder path reads none) and missing groups give their
// defaults.
bool load_pronunciation_tables(const std::filesystem::path& language_folder, std::u16string_view language,
                               PronunciationTables& tables, bool may_write = true);

// The reading part of load_pronunciation_tables, on a file in memory: an empty
// file yields the default tables of the language.
void read_pronunciation_tables(SettingsFile& file, std::u16string_view language, PronunciationTables& tables);

// The tables a freshly created pronunc.dic of the language yields.
PronunciationTables default_pronunciation_tables(std::u16string_view language);

}  // namespace vl
