#pragma once
// What the library needs of the operating system: a read-only mapping of its
// voice file, where its own module lies, and a line in the system's log.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace velnor {

class MappedFile {
public:
    virtual ~MappedFile() = default;
    virtual std::span<const uint8_t> bytes() const = 0;
};

// The whole file mapped read-only and shared, or null with `error` set.
std::unique_ptr<MappedFile> map_file(const std::filesystem::path& path, std::string& error);

// The folder of the module this library is part of: the DLL on Windows, the program elsewhere.
std::filesystem::path module_folder();

// The value of an environment variable, empty when it is not set.
std::filesystem::path environment_path(const char* name);

// A line for whoever watches: the debugger output on Windows, standard error elsewhere.
void log_line(std::string_view line);

}  // namespace velnor
