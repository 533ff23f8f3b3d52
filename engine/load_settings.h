#pragma once
// Loading prefs.ini: create it when missing, read the seven settings, clamp
// them, publish them and write them back.
#include <filesystem>

#include "base/settings_file.h"
#include "engine/settings.h"

namespace vl {

// Reads data_folder/prefs.ini into settings (a missing file or group "General"
// gives the defaults), stores the clamped values and, when may_write, writes
// the file back normalised (with the values clamped, missing keys and groups
// added) if that changes its bytes; a missing file is then created. False
// when the data folder is empty or the file exists but cannot be read;
// settings then keep their previous values.
bool load_settings(const std::filesystem::path& data_folder, Settings& settings, bool may_write = true);

// The defaults of every setting, for a process that has no data folder.
void use_default_settings(Settings& settings);

// Writes the group "General" with its comments and default values into file.
void write_default_general_group(SettingsFile& file);

}  // namespace vl
