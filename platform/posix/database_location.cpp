#include "platform/database_location.h"

#include "contract/data_layout.h"
#include "platform/app_data.h"

namespace vl {

std::string registry_database_path() { return {}; }

std::string default_database_path() {
    return application_data_folder().string() + "/" + std::string(kDataFolderName) + "/" +
           std::string(kDatabaseFileName);
}

// The system's own narrow encoding is UTF-8 here.
std::string ansi_path_to_utf8(std::string_view path) { return std::string(path); }

}  // namespace vl
