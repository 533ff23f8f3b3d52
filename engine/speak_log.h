#pragma once
// The engine's log: the prepared text of every request, one UTF-8 line each.
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string_view>

namespace vl {

class SpeakLog {
public:
    SpeakLog() = default;
    SpeakLog(const SpeakLog&) = delete;
    SpeakLog& operator=(const SpeakLog&) = delete;
    ~SpeakLog() { close(); }

    // Creates the file anew, empty. False when it cannot be created.
    bool recreate(const std::filesystem::path& path);
    // Appends the text and CR LF; nothing happens while no file is open.
    void append_line(std::u16string_view text);
    void close();

private:
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

}  // namespace vl
