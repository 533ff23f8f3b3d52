#pragma once
// Where the engine, the configurer and the tools keep their files: the data
// folder in the user's application-data folder, its files, and a folder per
// language under its dictionaries folder.
#include <filesystem>
#include <string_view>

namespace vl {

inline constexpr std::string_view kDataFolderName = "VelnorSAPI";
inline constexpr std::string_view kDictionariesFolderName = "dicts";
// In the data folder (the configurer's own dictionary files are named by the languages).
inline constexpr std::string_view kSettingsFileName = "prefs.ini";
inline constexpr std::string_view kLogFileName = "log.txt";
inline constexpr std::string_view kDatabaseFileName = "dict.dat";
// In each language folder.
inline constexpr std::string_view kPronunciationFileName = "pronunc.dic";
inline constexpr std::string_view kUserDictionaryFileName = "dict.dic";

// The data folder of an application-data folder. Empty when application_data
// is empty: nothing is then ever read or written relative to the current folder.
std::filesystem::path data_folder(const std::filesystem::path& application_data);
// The folder of the language folders in a data folder.
std::filesystem::path dictionaries_folder(const std::filesystem::path& data);
// The folder of the language whose folder name is given, in a data folder.
std::filesystem::path language_folder(const std::filesystem::path& data, std::u16string_view folder_name);

}  // namespace vl
