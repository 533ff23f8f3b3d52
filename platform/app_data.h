#pragma once
// The user's application-data folder, under which the engine keeps VelnorSAPI\.
#include <filesystem>

namespace vl {

// Windows: the roaming application-data folder. Elsewhere: $XDG_CONFIG_HOME,
// else ~/.config. Empty when none can be found.
std::filesystem::path application_data_folder();

}  // namespace vl
