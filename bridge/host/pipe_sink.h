#pragma once
// The speak driver's output sink in the host. The first audio block goes down
// the pipe at once; later blocks and the events between them follow in order,
// gathered into writes of up to 32 KiB or 2 ms (the engine makes audio far
// faster than it plays). Actions, rate and volume are answered from the latest
// state of the client's site that the DLL has sent.
#include <chrono>

#include "bridge/host/host_channel.h"
#include "bridge/protocol.h"
#include "engine/speak_request.h"

namespace vl::bridge {

class PipeSink final : public OutputSink {
public:
    PipeSink(HostChannel& channel, const SiteState& site) : channel_(channel), site_(site) {}

    // Abort once the channel is broken: nobody is listening any more.
    uint32_t get_actions() override;
    // Each answers its own pending action once.
    int32_t get_rate() override;
    uint16_t get_volume() override;
    bool get_sentence_skip(int32_t& sentences) override;
    void complete_skip(int32_t skipped) override;
    uint64_t get_event_interest() override { return site_.event_interest; }
    bool write(const void* bytes, uint32_t count, WriteKind kind) override;
    void add_event(const SpeakEvent& event) override;

private:
    // Takes in the site states that have arrived meanwhile (at most once a
    // millisecond).
    void take_updates();

    HostChannel& channel_;
    SiteState site_;
    bool audio_sent_ = false;
    std::chrono::steady_clock::time_point last_flush_{};
    std::chrono::steady_clock::time_point last_poll_{};
};

}  // namespace vl::bridge
