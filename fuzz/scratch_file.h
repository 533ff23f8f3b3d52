#pragma once
// A file of this fuzzing process, for the targets that work on a database file.
#include <unistd.h>

#include <filesystem>
#include <string>

namespace vl::fuzz {

// In memory-backed storage where there is one: the database library syncs its writes.
inline std::filesystem::path scratch_file(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return folder / (name + "_" + std::to_string(getpid()) + ".dat");
}

}  // namespace vl::fuzz
