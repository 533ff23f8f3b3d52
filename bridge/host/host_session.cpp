#include "bridge/host/host_session.h"

#include <new>
#include <optional>

#include "bridge/host/pipe_sink.h"
#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/voice_choice.h"
#include "engine/voice_setup.h"
#include "platform/app_data.h"

namespace vl::bridge {
namespace {

// The token as the DLL read it from the client's registry.
class ReadToken final : public VoiceToken {
public:
    explicit ReadToken(const VoiceSetUp& set_up) : set_up_(set_up) {}
    int32_t voice_name(std::u16string& name) override {
        name = set_up_.voice_name;
        return kStatusOk;
    }
    int32_t language(std::optional<std::u16string>& language) override {
        language = set_up_.language;
        return kStatusOk;
    }

private:
    const VoiceSetUp& set_up_;
};

int32_t set_up(const VoiceSetUp& message, VoiceChoice& voice) {
    try {
        ReadToken token(message);
        return set_up_voice(token, application_data_folder(), engine_state(), velnor_engine(), voice);
    } catch (...) {
        return kStatusFail;
    }
}

void speak_request(HostChannel& channel, const Speak& request, const VoiceChoice& voice) {
    std::optional<ArrivingRequest> fragments;
    try {
        fragments.emplace(request.fragment_count);
    } catch (const std::bad_alloc&) {
        return;  // nothing can be spoken; the request still ends normally
    }
    PipeSink sink(channel, request.site, *fragments);
    try {
        speak(fragments->fragments(), sink, velnor_engine(), engine_state(), voice, &sink);
    } catch (...) {
        // Nothing more can be spoken; the request still ends normally.
    }
    sink.finish();
}

}  // namespace

HostExit serve(HostChannel& channel) {
    if (!channel.send(encode(Hello{}))) return kHostPipeClosed;
    VoiceChoice voice;  // the one voice this host speaks with
    while (auto frame = channel.receive()) {
        switch (frame->kind) {
            case Kind::set_up: {
                const auto message = decode_set_up(frame->payload);
                if (!message) return kHostMalformed;
                channel.send(encode_status(set_up(*message, voice)));
                break;
            }
            case Kind::format_request:
                if (!decode_empty(frame->payload)) return kHostMalformed;
                channel.send(encode(output_format(engine_state())));
                break;
            case Kind::speak: {
                const auto request = decode_speak(frame->payload);
                if (!request) return kHostMalformed;
                speak_request(channel, *request, voice);
                channel.send(encode_empty(Kind::speak_done));
                break;
            }
            case Kind::site_state:  // a late change of a request already done
                if (!decode_site_state(frame->payload)) return kHostMalformed;
                break;
            case Kind::quit:
                return kHostQuit;
            default:
                return kHostMalformed;
        }
    }
    return kHostPipeClosed;  // or a frame that could not be read: either way the DLL is gone
}

}  // namespace vl::bridge
