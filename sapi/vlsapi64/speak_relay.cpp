#include "sapi/vlsapi64/speak_relay.h"

#include "sapi/adapters/fragment_list.h"
#include "sapi/adapters/site_sink.h"

namespace vl::bridge {
namespace {

bool same(const SiteState& a, const SiteState& b) {
    return a.actions == b.actions && a.rate == b.rate && a.volume == b.volume && a.output_stopped == b.output_stopped &&
           a.sentence_skip == b.sentence_skip && a.skip_sentences == b.skip_sentences;
}

// Follows the client's site and tells the host of each change. Rate and
// volume are read only when the site flags them, as the driver would.
class SiteWatch {
public:
    explicit SiteWatch(OutputSink& site) : site_(site) {
        sent_.event_interest = site_.get_event_interest();
        sent_ = read();
    }

    const SiteState& first() const { return sent_; }
    // Once the site asked for an abort or refused a write, no more audio goes to it.
    bool closed() const { return sent_.output_stopped || (sent_.actions & kActionAbort) != 0; }

    HRESULT forward(HostProcess& host, bool output_stopped = false) {
        SiteState now = read();
        now.actions |= sent_.actions & kActionAbort;  // an abort holds for the rest of the request
        now.output_stopped = sent_.output_stopped || output_stopped;
        if ((now.actions == 0 && now.output_stopped == sent_.output_stopped) || same(now, sent_)) return S_OK;
        sent_ = now;
        return host.send(encode(now));
    }

private:
    SiteState read() {
        SiteState state = sent_;
        state.actions = site_.get_actions();
        if ((state.actions & kActionRate) != 0) state.rate = site_.get_rate();
        if ((state.actions & kActionVolume) != 0) state.volume = site_.get_volume();
        state.sentence_skip = (state.actions & kActionSkip) != 0 && site_.get_sentence_skip(state.skip_sentences);
        return state;
    }

    OutputSink& site_;
    SiteState sent_;
};

}  // namespace

HRESULT relay_speak(HostProcess& host, const SPVTEXTFRAG* fragments, ISpTTSEngineSite& site) {
    sapi::SiteSink sink(site);
    SiteWatch watch(sink);
    Speak request;
    request.site = watch.first();
    for (const TextFragment& fragment : sapi::fragment_list(fragments)) {
        request.fragments.push_back({fragment, std::u16string(fragment.text)});
        request.fragments.back().fragment.text = {};
    }
    const std::string message = encode(request);
    if (message.size() - kHeaderSize > kMaxPayload) return E_INVALIDARG;
    if (const HRESULT result = host.send(message); FAILED(result)) return result;

    const auto idle = [&] { return watch.forward(host); };
    for (;;) {
        Frame frame{};
        if (const HRESULT result = host.receive(frame, idle); FAILED(result)) return result;
        switch (frame.kind) {
            case Kind::audio: {
                const auto audio = decode_audio(frame.payload);
                if (!audio) break;
                // The site is asked before each block, as the driver asks it in
                // process; after an abort or a refused write the rest is dropped.
                if (const HRESULT result = watch.forward(host); FAILED(result)) return result;
                if (watch.closed()) continue;
                if (!sink.write(audio->bytes.data(), static_cast<uint32_t>(audio->bytes.size()), audio->kind)) {
                    if (const HRESULT result = watch.forward(host, true); FAILED(result)) return result;
                }
                continue;
            }
            case Kind::event: {
                const auto event = decode_event(frame.payload);
                if (!event) break;
                sink.add_event(event->view());
                continue;
            }
            case Kind::skip_done: {
                const auto skipped = decode_status(frame.payload);
                if (!skipped) break;
                sink.complete_skip(*skipped);
                continue;
            }
            case Kind::speak_done:
                if (!decode_empty(frame.payload)) break;
                return S_OK;
            default:
                break;
        }
        host.fail();
        return kHostMalformed;
    }
}

}  // namespace vl::bridge
