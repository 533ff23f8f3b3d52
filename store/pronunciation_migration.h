#pragma once
// Pronunciation groups that the configurer writes into prefs.ini are moved into
// the Russian pronunc.dic at every voice set-up.
#include <filesystem>

namespace vl {

// Makes sure the Russian language folder exists. When its pronunc.dic is
// missing, it is created from every group of prefs.ini except "General". When
// it exists, each of the groups english_letters, russian_letters,
// english_pronunciation and symbols found in prefs.ini replaces the group of
// that name in pronunc.dic (or is appended). Only once pronunc.dic is written
// are those four groups removed from prefs.ini; nothing happens when prefs.ini
// cannot be opened.
void migrate_pronunciation_from_settings(const std::filesystem::path& settings_path,
                                         const std::filesystem::path& russian_folder);

}  // namespace vl
