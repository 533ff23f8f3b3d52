#include "platform/posix/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "base/utf.h"

namespace vl::posix {

namespace fs = std::filesystem;

std::optional<fs::path> runtime_folder() {
    if (const char* folder = std::getenv("XDG_RUNTIME_DIR"); folder && *folder) return fs::path(folder);
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error) / ("velnor-" + std::to_string(getuid()));
    if (error) return std::nullopt;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != getuid())
        return std::nullopt;
    return folder;
}

std::optional<fs::path> object_file_path(std::u16string_view name, std::string_view suffix) {
    const std::optional<fs::path> folder = runtime_folder();
    if (!folder) return std::nullopt;
    std::string file = utf16_to_utf8(name);
    for (char& c : file)
        if (c == '/' || c == '\0') c = '_';
    return *folder / (file + std::string(suffix));
}

}  // namespace vl::posix
