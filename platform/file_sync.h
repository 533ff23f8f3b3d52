#pragma once
// Flushing a written file from the system's caches to the disk, so that a power
// loss right after cannot leave it empty.
#include <filesystem>

namespace vl {

// True when the system reports the file's content written to the disk.
bool flush_to_disk(const std::filesystem::path& file);

}  // namespace vl
