#include "platform/app_data.h"

#include <cstdlib>

namespace vl {

std::filesystem::path application_data_folder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".config";
    return {};
}

}  // namespace vl
