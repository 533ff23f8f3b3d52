#pragma once
// The host's end of the pipe to its engine DLL: whole frames out, whole frames
// in, waiting or not. A broken pipe or a malformed frame breaks the channel.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "bridge/protocol.h"

namespace vl::bridge {

class HostChannel {
public:
    explicit HostChannel(HANDLE pipe) : pipe_(pipe) {}

    // Sends the frame with any queued before it, in one write.
    bool send(std::string_view frame);
    // Keeps the frame for the next send or flush: fewer, larger writes save
    // the DLL a wake-up per frame.
    void queue(std::string_view frame) { outgoing_.append(frame); }
    bool flush() { return send({}); }
    size_t queued() const { return outgoing_.size(); }
    // The next frame, waiting for it; nothing once the channel is broken. The
    // payload stays valid until the next receive or poll.
    std::optional<Frame> receive();
    // The next frame if one has arrived, without waiting.
    std::optional<Frame> poll();
    bool broken() const { return broken_; }
    void mark_broken() { broken_ = true; }

private:
    std::optional<Frame> next_frame();
    // Reads what has arrived; with wait, blocks until something does.
    bool read_some(bool wait);

    HANDLE pipe_;
    std::string outgoing_;
    FrameReader reader_;
    bool broken_ = false;
};

}  // namespace vl::bridge
