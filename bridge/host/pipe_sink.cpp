#include "bridge/host/pipe_sink.h"

namespace vl::bridge {
namespace {

// How often the pipe is looked at for news of the site between writes: an
// abort is seen within this time, and a request does not pay a look per query.
constexpr auto kPollInterval = std::chrono::milliseconds(1);

}  // namespace

void PipeSink::take(const Frame& frame) {
    if (frame.kind == Kind::audio_taken) {
        const auto taken = decode_audio_taken(frame.payload);
        if (!taken || *taken > untaken_) {
            channel_.mark_broken();
            return;
        }
        untaken_ -= *taken;
        return;
    }
    if (frame.kind == Kind::fragments) {
        auto batch = batch_asked_ ? decode_fragments(frame.payload) : std::nullopt;
        if (!batch || !request_.add(std::move(*batch))) channel_.mark_broken();
        batch_asked_ = false;
        return;
    }
    const auto update = frame.kind == Kind::site_state ? decode_site_state(frame.payload) : std::nullopt;
    if (!update) {
        channel_.mark_broken();
        return;
    }
    site_.actions |= update->actions;
    site_.rate = update->rate;
    site_.volume = update->volume;
    site_.output_stopped = site_.output_stopped || update->output_stopped;
    site_.event_interest = update->event_interest;
    if ((update->actions & kActionSkip) != 0) {
        site_.sentence_skip = update->sentence_skip;
        site_.skip_sentences = update->skip_sentences;
    }
}

void PipeSink::take_updates() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_poll_ < kPollInterval) return;
    last_poll_ = now;
    while (auto frame = channel_.poll()) take(*frame);
}

void PipeSink::wait_until_taken(uint64_t ahead) {
    while (untaken_ > ahead && !channel_.broken()) {
        const auto frame = channel_.receive();
        if (!frame) return;
        take(*frame);
    }
}

uint32_t PipeSink::get_actions() {
    take_updates();
    return channel_.broken() ? site_.actions | kActionAbort : site_.actions;
}

int32_t PipeSink::get_rate() {
    take_updates();
    site_.actions &= ~uint32_t{kActionRate};
    return site_.rate;
}

uint16_t PipeSink::get_volume() {
    take_updates();
    site_.actions &= ~uint32_t{kActionVolume};
    volume_made_ = site_.volume;
    return site_.volume;
}

bool PipeSink::get_sentence_skip(int32_t& sentences) {
    take_updates();
    site_.actions &= ~uint32_t{kActionSkip};
    sentences = site_.skip_sentences;
    return site_.sentence_skip;
}

void PipeSink::complete_skip(int32_t skipped) {
    site_.sentence_skip = false;
    channel_.send(encode_skip_done(skipped));  // at once: the client waits for it to take audio again
}

bool PipeSink::write(const void* bytes, uint32_t count, WriteKind kind) {
    if (site_.output_stopped) return false;
    if (!channel_.send(encode_audio(kind, volume_made_, bytes, count))) return false;
    untaken_ += count;
    wait_until_taken(kAudioAheadBytes);
    return !channel_.broken() && !site_.output_stopped;
}

void PipeSink::add_event(const SpeakEvent& event) { channel_.queue(encode(event)); }

void PipeSink::await(size_t index) {
    while (request_.arrived() <= index && !channel_.broken()) {
        if (!batch_asked_) {
            batch_asked_ = true;
            if (!channel_.send(encode_empty(Kind::fragments_wanted))) return;
        }
        const auto frame = channel_.receive();
        if (!frame) return;
        take(*frame);
    }
}

void PipeSink::finish() {
    channel_.flush();
    wait_until_taken(0);
}

}  // namespace vl::bridge
