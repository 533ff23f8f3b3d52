#pragma once
// A log file that several processes keep open at once: every append lands
// whole at the end of the file, whatever the others write meanwhile. The file
// is emptied when it is opened by a process while no other process holds it
// open, and kept as it is otherwise.
#include <filesystem>
#include <memory>
#include <string_view>

namespace vl {

class SharedLogFile {
public:
    // Nothing when the file can be neither created nor opened.
    static std::unique_ptr<SharedLogFile> open(const std::filesystem::path& path);
    virtual ~SharedLogFile() = default;
    // Appends the bytes in one write. False when they were not all written.
    virtual bool append(std::string_view bytes) = 0;
};

}  // namespace vl
