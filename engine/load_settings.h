#pragma once
// The engine's settings from prefs.ini: read by the store, published into the
// process-wide settings record.
#include <filesystem>

#include "engine/settings.h"

namespace vl {

// Stores the clamped values of data_folder/prefs.ini into settings (the file
// is created or normalised when may_write; see load_settings_file). False
// when the data folder is empty or the file exists but cannot be read;
// settings then keep their previous values.
bool load_settings(const std::filesystem::path& data_folder, Settings& settings, bool may_write = true);

// The defaults of every setting, for a process that has no data folder.
void use_default_settings(Settings& settings);

}  // namespace vl
