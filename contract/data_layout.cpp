#include "contract/data_layout.h"

namespace vl {

std::filesystem::path data_folder(const std::filesystem::path& application_data) {
    return application_data.empty() ? std::filesystem::path() : application_data / kDataFolderName;
}

std::filesystem::path dictionaries_folder(const std::filesystem::path& data) { return data / kDictionariesFolderName; }

std::filesystem::path language_folder(const std::filesystem::path& data, std::u16string_view folder_name) {
    return dictionaries_folder(data) / folder_name;
}

}  // namespace vl
