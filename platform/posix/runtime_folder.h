#pragma once
// Where the POSIX stand-ins of named system objects keep their files.
#include <filesystem>
#include <optional>
#include <string_view>

namespace vl::posix {

// $XDG_RUNTIME_DIR, else a private folder of this user under the temporary folder.
std::optional<std::filesystem::path> runtime_folder();

// The file standing for the named object: the runtime folder + the name (as
// UTF-8, "/" and NUL replaced by "_") + suffix.
std::optional<std::filesystem::path> object_file_path(std::u16string_view name, std::string_view suffix);

}  // namespace vl::posix
