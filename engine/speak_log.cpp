#include "engine/speak_log.h"

#include <algorithm>

#include "base/utf.h"

namespace vl {

bool SpeakLog::open(const std::filesystem::path& path) {
    std::lock_guard lock(mutex_);
    if (file_ && path_ == path) return true;
    file_ = SharedLogFile::open(path);
    path_ = file_ ? path : std::filesystem::path();
    return file_ != nullptr;
}

void SpeakLog::append_line(std::u16string_view text) {
    std::u16string one_line(text);
    std::replace_if(one_line.begin(), one_line.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    const std::string line = utf16_to_utf8(one_line) + "\r\n";
    std::lock_guard lock(mutex_);
    if (file_) file_->append(line);
}

void SpeakLog::close() {
    std::lock_guard lock(mutex_);
    file_.reset();
    path_.clear();
}

}  // namespace vl
