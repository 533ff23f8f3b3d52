#pragma once
// Loading prefs.ini: create it when missing, read the seven settings, clamp
// them, publish them and write them back.
#include <filesystem>

#include "base/settings_file.h"
#include "engine/settings.h"

namespace vl {

// The settings file's name inside the data folder.
inline constexpr const char* settings_file_name = "prefs.ini";

// Reads data_folder/prefs.ini into settings (creating the file with the default
// group "General" when it or the group is missing), stores the clamped values,
// writes them back and rewrites the file whole. False only when the file can be
// neither created nor opened; settings then keep their previous values.
bool load_settings(const std::filesystem::path& data_folder, Settings& settings);

// Writes the group "General" with its comments and default values into file.
void write_default_general_group(SettingsFile& file);

}  // namespace vl
