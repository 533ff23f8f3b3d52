#pragma once
// The speak driver's output sink in the host. Audio goes down the pipe a block
// at a time, with the events before it, and the host runs at most about one
// block ahead of what the client's site has taken: a write waits for the DLL to
// report the earlier blocks taken, so what the site asks meanwhile (abort,
// skip, rate, volume) reaches the driver as soon as it would in process.
// Actions, rate and volume are answered from the latest state of the client's
// site that the DLL has sent. The request's fragments are asked for a batch at
// a time, as the driver comes to them.
#include <chrono>

#include "bridge/host/arriving_request.h"
#include "bridge/host/host_channel.h"
#include "bridge/protocol.h"
#include "engine/request_walker.h"
#include "engine/speak_request.h"

namespace vl::bridge {

class PipeSink final : public OutputSink, public FragmentArrival {
public:
    PipeSink(HostChannel& channel, const SiteState& site, ArrivingRequest& request)
        : channel_(channel), site_(site), volume_made_(site.volume), request_(request) {}

    // Abort once the channel is broken: nobody is listening any more.
    uint32_t get_actions() override;
    // Each answers its own pending action once.
    int32_t get_rate() override;
    uint16_t get_volume() override;
    bool get_sentence_skip(int32_t& sentences) override;
    void complete_skip(int32_t skipped) override;
    uint64_t get_event_interest() override { return site_.event_interest; }
    bool write(const void* bytes, uint32_t count, WriteKind kind) override;
    // Each block goes with the volume the driver last read: the DLL rescales
    // it when the site's volume has changed since.
    void add_event(const SpeakEvent& event) override;
    void await(size_t index) override;
    // Sends what is queued and waits until the site has taken all the audio:
    // the request ends when its last block is out, as in process.
    void finish();

private:
    // Takes in the site states that have arrived meanwhile (at most once a
    // millisecond).
    void take_updates();
    // Waits for the DLL's news until no more than ahead bytes are untaken.
    void wait_until_taken(uint64_t ahead);
    // A site state, a report of audio taken or a batch asked for; anything else
    // breaks the channel.
    void take(const Frame& frame);

    HostChannel& channel_;
    SiteState site_;
    uint16_t volume_made_;
    ArrivingRequest& request_;
    bool batch_asked_ = false;
    uint64_t untaken_ = 0;
    std::chrono::steady_clock::time_point last_poll_{};
};

}  // namespace vl::bridge
