#pragma once
// prefs.ini, the settings file: created when missing, its group "General" read
// with every value clamped into its range, and written back normalised.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "contract/setting_definitions.h"
#include "store/settings_file.h"

namespace vl {

// The value of each setting, at the index of its id.
using SettingValues = std::array<int32_t, kSettingCount>;

// Reads data_folder/prefs.ini (a missing file or group "General" gives the
// defaults) and clamps its values; when may_write, writes the file back
// normalised (with the values clamped, missing keys and groups added) if that
// changes its bytes, and creates a missing file. Nothing when the data folder
// is empty or the file exists but cannot be read.
std::optional<SettingValues> load_settings_file(const std::filesystem::path& data_folder, bool may_write = true);

// The value of every setting in a file that has none.
SettingValues default_setting_values();

// Writes the group "General" with its comments and default values into file.
void write_default_general_group(SettingsFile& file);

}  // namespace vl
