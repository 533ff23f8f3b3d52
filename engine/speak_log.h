#pragma once
// The engine's log: the prepared text of every request, one UTF-8 line each.
// Speech programs running at the same time share the file: each line is
// appended whole, and a process empties the file only when it opens it while
// no other process holds it.
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>

#include "platform/shared_log_file.h"

namespace vl {

class SpeakLog {
public:
    SpeakLog() = default;
    SpeakLog(const SpeakLog&) = delete;
    SpeakLog& operator=(const SpeakLog&) = delete;

    // Opens the log at path, unless it is open there already: a process keeps
    // appending to one log until it closes it. False when it cannot be opened.
    bool open(const std::filesystem::path& path);
    // Appends the text, with its line ends turned into blanks, and CR LF;
    // nothing happens while no file is open.
    void append_line(std::u16string_view text);
    void close();

private:
    std::mutex mutex_;
    std::filesystem::path path_;
    std::unique_ptr<SharedLogFile> file_;
};

}  // namespace vl
