#include "sapi/vlsapi64/speak_relay.h"

#include <cstring>

#include "bridge/request_pieces.h"
#include "engine/volume_scale.h"
#include "sapi/adapters/fragment_list.h"
#include "sapi/adapters/site_sink.h"

namespace vl::bridge {
namespace {

bool same(const SiteState& a, const SiteState& b) {
    return a.actions == b.actions && a.rate == b.rate && a.volume == b.volume && a.output_stopped == b.output_stopped;
}

// Follows the client's site and tells the host of each change. Rate and
// volume are read at the start and then only when the site flags them, as the
// driver reads them. A skip goes over once, flagged, and is pending until the
// host reports it done; the audio and events made before the host saw it are
// dropped, as in process they would not have been made.
class SiteWatch {
public:
    explicit SiteWatch(OutputSink& site) : site_(site) {
        sent_.event_interest = site_.get_event_interest();
        sent_.rate = site_.get_rate();
        sent_.volume = site_.get_volume();
        sent_ = read();
        skip_pending_ = (sent_.actions & kActionSkip) != 0;
    }

    const SiteState& first() const { return sent_; }
    uint16_t volume() const { return sent_.volume; }
    // Once the site asked for an abort or refused a write, or while a skip is
    // pending, no audio and no event goes to it.
    bool closed() const { return skip_pending_ || sent_.output_stopped || (sent_.actions & kActionAbort) != 0; }

    HRESULT forward(HostProcess& host, bool output_stopped = false) {
        SiteState now = read();
        now.actions |= sent_.actions & kActionAbort;  // an abort holds for the rest of the request
        now.output_stopped = sent_.output_stopped || output_stopped;
        const bool new_skip = (now.actions & kActionSkip) != 0;
        if (!new_skip && ((now.actions == 0 && now.output_stopped == sent_.output_stopped) || same(now, sent_))) {
            return S_OK;
        }
        sent_ = now;
        skip_pending_ = skip_pending_ || new_skip;
        return host.send(encode(now));
    }

    // False when no skip was asked of the host: then it is faulty.
    bool skip_done() {
        if (!skip_pending_) return false;
        skip_pending_ = false;
        return true;
    }

private:
    SiteState read() {
        SiteState state = sent_;
        const uint32_t actions = site_.get_actions();
        state.actions = actions & ~uint32_t{kActionSkip};
        if ((actions & kActionRate) != 0) state.rate = site_.get_rate();
        if ((actions & kActionVolume) != 0) state.volume = site_.get_volume();
        if ((actions & kActionSkip) != 0 && !skip_pending_) {
            state.actions |= kActionSkip;
            state.sentence_skip = site_.get_sentence_skip(state.skip_sentences);
        }
        return state;
    }

    OutputSink& site_;
    SiteState sent_;
    bool skip_pending_ = false;
};

// The block's samples at the site's volume now: a block the host made before
// it heard of a change is scaled as the driver scales its own in process.
std::string_view block_at_volume(const Audio& audio, uint16_t volume, std::string& scaled) {
    if (audio.kind != WriteKind::audio || audio.volume == volume || audio.volume == 0) return audio.bytes;
    scaled.assign(audio.bytes);
    for (size_t at = 0; at + 1 < scaled.size(); at += 2) {
        int16_t sample = 0;
        std::memcpy(&sample, scaled.data() + at, 2);
        sample = at_volume(sample, volume, audio.volume);
        std::memcpy(scaled.data() + at, &sample, 2);
    }
    return scaled;
}

}  // namespace

HRESULT relay_speak(HostProcess& host, const SPVTEXTFRAG* fragments, ISpTTSEngineSite& site) {
    sapi::SiteSink sink(site);
    SiteWatch watch(sink);
    const std::vector<TextFragment> request = sapi::fragment_list(fragments);
    RequestPieces pieces(request);
    if (pieces.slots() > kMaxFragments) return E_INVALIDARG;
    if (const HRESULT result = host.send(encode(Speak{watch.first(), static_cast<uint32_t>(pieces.slots())}));
        FAILED(result)) {
        return result;
    }
    std::string scaled;

    const auto idle = [&] { return watch.forward(host); };
    for (;;) {
        Frame frame{};
        if (const HRESULT result = host.receive(frame, idle); FAILED(result)) return result;
        switch (frame.kind) {
            case Kind::audio: {
                const auto audio = decode_audio(frame.payload);
                if (!audio) break;
                // The site is asked before each block, as the driver asks it in
                // process; a block not to be heard is dropped.
                if (const HRESULT result = watch.forward(host); FAILED(result)) return result;
                const auto count = static_cast<uint32_t>(audio->bytes.size());
                if (!watch.closed() &&
                    !sink.write(block_at_volume(*audio, watch.volume(), scaled).data(), count, audio->kind)) {
                    if (const HRESULT result = watch.forward(host, true); FAILED(result)) return result;
                }
                // Taken or dropped: the host may make the next.
                if (const HRESULT result = host.send(encode_audio_taken(count)); FAILED(result)) return result;
                continue;
            }
            case Kind::event: {
                const auto event = decode_event(frame.payload);
                if (!event) break;
                if (const HRESULT result = watch.forward(host); FAILED(result)) return result;
                if (!watch.closed()) sink.add_event(event->view());
                continue;
            }
            case Kind::fragments_wanted: {
                if (!decode_empty(frame.payload) || pieces.done()) break;
                if (const HRESULT result = host.send(encode_fragments(pieces.next_batch())); FAILED(result)) return result;
                continue;
            }
            case Kind::skip_done: {
                const auto skipped = decode_status(frame.payload);
                if (!skipped || !watch.skip_done()) break;
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
