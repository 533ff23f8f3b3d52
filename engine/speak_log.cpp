#include "engine/speak_log.h"

#include "base/utf.h"

namespace vl {

bool SpeakLog::recreate(const std::filesystem::path& path) {
    std::lock_guard lock(mutex_);
    if (file_) std::fclose(file_);
#if defined(_WIN32)
    file_ = _wfopen(path.c_str(), L"wb");
#else
    file_ = std::fopen(path.c_str(), "wb");
#endif
    return file_ != nullptr;
}

void SpeakLog::append_line(std::u16string_view text) {
    const std::string line = utf16_to_utf8(text) + "\r\n";
    std::lock_guard lock(mutex_);
    if (!file_) return;
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

void SpeakLog::close() {
    std::lock_guard lock(mutex_);
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

}  // namespace vl
