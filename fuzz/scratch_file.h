#pragma once
// A file of this fuzzing process, for the targets that work on a database file.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vl::fuzz {

// In memory-backed storage where there is one (the database library syncs its
// writes); removed, with its journal, when the process ends.
inline std::filesystem::path scratch_file(const std::string& name) {
    namespace fs = std::filesystem;
    static std::vector<fs::path> files;
    if (files.empty()) {
        std::atexit([] {
            std::error_code ignored;
            for (const fs::path& file : files) {
                fs::remove(file, ignored);
                fs::remove(fs::path(file).concat("-journal"), ignored);
            }
        });
    }
    const fs::path folder = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return files.emplace_back(folder / (name + "_" + std::to_string(getpid()) + ".dat"));
}

}  // namespace vl::fuzz
