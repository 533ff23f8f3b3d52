#pragma once
// Whole-file reads and writes.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> read_file(const std::filesystem::path& path);

// A name beside the file that no other writer in this or another process uses
// at the same moment.
std::filesystem::path temporary_path_beside(const std::filesystem::path& path);

// Writes the file whole: to a temporary file in the same folder, flushed to the
// disk, then renamed over the old one, so readers see the old content or the
// new, never a mix, and a power loss cannot leave an empty file.
bool write_file_atomic(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vl
