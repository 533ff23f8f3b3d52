#include "bridge/host/host_channel.h"

#include <algorithm>

namespace vl::bridge {

bool HostChannel::send(std::string_view frame) {
    outgoing_.append(frame);
    std::string_view rest(outgoing_);
    while (!broken_ && !rest.empty()) {
        DWORD written = 0;
        if (!WriteFile(pipe_, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr)) broken_ = true;
        rest.remove_prefix(written);
    }
    outgoing_.clear();
    return !broken_;
}

std::optional<Frame> HostChannel::next_frame() {
    if (broken_) return std::nullopt;
    std::optional<Frame> frame = reader_.next();
    if (reader_.failed()) broken_ = true;
    return frame;
}

std::optional<Frame> HostChannel::receive() {
    for (;;) {
        if (auto frame = next_frame()) return frame;
        if (broken_ || !read_some(true)) return std::nullopt;
    }
}

std::optional<Frame> HostChannel::poll() {
    if (auto frame = next_frame()) return frame;
    if (broken_ || !read_some(false)) return std::nullopt;
    return next_frame();
}

bool HostChannel::read_some(bool wait) {
    char buffer[64 * 1024];
    DWORD wanted = sizeof buffer;
    if (!wait) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe_, nullptr, 0, nullptr, &available, nullptr)) {
            broken_ = true;
            return false;
        }
        if (available == 0) return false;
        wanted = std::min<DWORD>(available, wanted);
    }
    DWORD read = 0;
    if (!ReadFile(pipe_, buffer, wanted, &read, nullptr)) {
        broken_ = true;
        return false;
    }
    reader_.append(buffer, read);
    return true;
}

}  // namespace vl::bridge
