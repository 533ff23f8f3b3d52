#include "bridge/host/pipe_sink.h"

namespace vl::bridge {
namespace {

constexpr size_t kGatherBytes = 32 * 1024;
constexpr auto kGatherTime = std::chrono::milliseconds(2);
// How often the pipe is looked at for news of the site: an abort is seen
// within this time, and a request does not pay a look per block.
constexpr auto kPollInterval = std::chrono::milliseconds(1);

}  // namespace

void PipeSink::take_updates() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_poll_ < kPollInterval) return;
    last_poll_ = now;
    while (auto frame = channel_.poll()) {
        const auto update = frame->kind == Kind::site_state ? decode_site_state(frame->payload) : std::nullopt;
        if (!update) {
            channel_.mark_broken();
            return;
        }
        site_.actions |= update->actions;
        site_.rate = update->rate;
        site_.volume = update->volume;
        site_.output_stopped = site_.output_stopped || update->output_stopped;
        site_.event_interest = update->event_interest;
        site_.sentence_skip = update->sentence_skip;
        site_.skip_sentences = update->skip_sentences;
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
    channel_.queue(encode_skip_done(skipped));
}

// The driver asks for the actions before each audio block: what has arrived by
// then decides.
bool PipeSink::write(const void* bytes, uint32_t count, WriteKind kind) {
    if (site_.output_stopped) return false;
    channel_.queue(encode_audio(kind, bytes, count));
    const auto now = std::chrono::steady_clock::now();
    if (audio_sent_ && channel_.queued() < kGatherBytes && now - last_flush_ < kGatherTime) return !channel_.broken();
    audio_sent_ = true;
    last_flush_ = now;
    return channel_.flush();
}

void PipeSink::add_event(const SpeakEvent& event) { channel_.queue(encode(event)); }

}  // namespace vl::bridge
