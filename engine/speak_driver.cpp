#include "engine/speak_driver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <new>
#include <string>

#include "contract/languages.h"
#include "engine/client_text.h"
#include "engine/engine_charset.h"
#include "engine/engine_state.h"
#include "engine/fragments.h"
#include "engine/prosody.h"
#include "engine/request_walker.h"
#include "engine/segment_synthesis.h"
#include "engine/segment_text.h"
#include "engine/synth_engine.h"
#include "engine/voice_choice.h"
#include "engine/volume_scale.h"
#include "engine/word_timing.h"

namespace vl {
namespace {

constexpr size_t kBlockSamples = 2048;
// Silence goes out one audio block at a time, so a purge is seen within a block.
constexpr uint8_t kSilence[kBlockSamples * 2] = {};
// How long the request waits for the library's next block before it looks at
// the site again.
constexpr std::chrono::milliseconds kLookAgain{1};

// What one request keeps while it speaks: the sink, the bytes written so far,
// how the request is to end and the words still to be sent.
struct SpeakContext {
    explicit SpeakContext(OutputSink& sink) : sink(sink), interest(sink.get_event_interest()) {}

    OutputSink& sink;
    uint64_t interest;
    uint64_t written = 0;
    uint64_t last_block_start = 0;
    bool output_stopped = false;
    bool aborted = false;
    bool skip_asked = false;
    // The segment's volume as the library makes it, and as the site now wants
    // it: a change during the segment scales the blocks still to be written.
    int32_t made_volume = 100;
    int32_t wanted_volume = 100;
    WordTiming words;
    std::array<int16_t, kBlockSamples> buffer{};

    bool wants(EventId id) const { return id < 64 && ((interest >> id) & 1) != 0; }
    bool ended() const { return aborted || output_stopped; }

    void send(EventId id, uint32_t wparam, int32_t lparam, uint64_t offset, const char16_t* text = nullptr) {
        if (!wants(id)) return;
        sink.add_event(SpeakEvent{id, text ? kParamString : kParamUndefined, wparam, lparam, text, offset});
    }
    void send_word(const TimedWord& word) {
        send(kEventWordBoundary, word.length, static_cast<int32_t>(word.position), word.offset);
    }
    bool write(const void* bytes, uint32_t count, WriteKind kind) {
        if (!sink.write(bytes, count, kind)) output_stopped = true;
        written += count;
        return !output_stopped;
    }
    // Zeros, a block at a time, each block after a look for an abort.
    bool write_silence(uint64_t bytes) {
        while (bytes > 0 && !ended()) {
            if ((sink.get_actions() & kActionAbort) != 0) aborted = true;
            const size_t piece = static_cast<size_t>(std::min<uint64_t>(bytes, sizeof kSilence));
            if (!aborted) write(kSilence, static_cast<uint32_t>(piece), WriteKind::silence);
            bytes -= piece;
        }
        return !ended();
    }
    // The site's actions, with an abort or a skip noted.
    uint32_t look() {
        const uint32_t actions = sink.get_actions();
        if ((actions & kActionAbort) != 0) aborted = true;
        if ((actions & kActionSkip) != 0) skip_asked = true;
        return actions;
    }
    // `count` of the segment's samples from `from` on as one 16-bit block, with
    // the words that start in it sent before it.
    void write_block(SegmentSynthesis& synthesis, size_t from, size_t count) {
        synthesis.copy_samples(from, {buffer.data(), count});
        if (wanted_volume != made_volume && made_volume > 0) {
            for (size_t i = 0; i < count; ++i) {
                buffer[i] = at_volume(buffer[i], wanted_volume, made_volume);
            }
        }
        const auto bytes = static_cast<uint32_t>(count * 2);
        last_block_start = written;
        words.send_before(written, written + bytes, [this](const TimedWord& word) { send_word(word); });
        write(buffer.data(), bytes, WriteKind::audio);
    }
};

// The silence before and after the speech: whole bytes per millisecond.
uint64_t edge_silence_bytes(const Settings& settings, int32_t milliseconds) {
    if (milliseconds <= 0) return 0;
    return static_cast<uint64_t>(settings.sample_rate * 2 / 1000) * static_cast<uint64_t>(milliseconds);
}

// A silence of the markup: as many whole samples as the milliseconds last.
uint64_t markup_silence_bytes(const Settings& settings, uint32_t milliseconds) {
    return static_cast<uint64_t>(settings.sample_rate) * milliseconds / 1000 * 2;
}

void send_bookmark(SpeakContext& context, const TextFragment& fragment) {
    const std::u16string text(fragment.text);  // zero-terminated copy for the event
    context.send(kEventBookmark, bookmark_value(text), 0, context.written, text.c_str());
}

// Moves to the sentence a sentence skip asks for and tells the sink how many were skipped.
void skip_sentences(RequestWalker& walker, OutputSink& sink, size_t current) {
    int32_t count = 0;
    if (!sink.get_sentence_skip(count)) {
        sink.complete_skip(0);
        return;
    }
    const int64_t target = std::max<int64_t>(0, static_cast<int64_t>(current) + count);
    const size_t reached = walker.seek_sentence(static_cast<size_t>(target));
    sink.complete_skip(static_cast<int32_t>(static_cast<int64_t>(reached) - static_cast<int64_t>(current)));
}

class RequestSpeaker {
public:
    RequestSpeaker(OutputSink& sink, SynthEngine& engine, EngineState& state, const VoiceChoice& voice)
        : engine_(engine), state_(state), voice_(voice.voice), snapshot_(voice_language(state, voice), state.settings),
          context_(sink) {
        site_.rate = sink.get_rate();
        site_.volume = sink.get_volume();
    }
    // The request's prepared text goes to the log as one line, however many
    // segments it took.
    ~RequestSpeaker() {
        try {
            if (!logged_.empty()) state_.log.append_line(logged_);
        } catch (const std::bad_alloc&) {
        }
    }

    void run(std::span<const TextFragment> fragments, FragmentArrival* arrival) {
        RequestWalker walker(fragments, arrival);
        Step step;
        while (walker.next(step)) {
            const uint32_t actions = context_.sink.get_actions();
            if ((actions & kActionAbort) != 0) return;
            if ((actions & kActionRate) != 0) site_.rate = context_.sink.get_rate();
            if ((actions & kActionVolume) != 0) site_.volume = context_.sink.get_volume();
            const size_t current = step.kind == Step::Kind::speech ? step.sentence : walker.sentence();
            // A skip asked before the step replaces it; one asked during its audio ends it.
            if ((actions & kActionSkip) == 0) {
                take(step);
                if (context_.ended()) return;
                if (!context_.skip_asked) continue;
                context_.skip_asked = false;
            }
            skip_sentences(walker, context_.sink, current);
        }
        if (spoke_ && (context_.sink.get_actions() & kActionAbort) == 0) {
            context_.write_silence(edge_silence_bytes(state_.settings, state_.settings.silence_at_end));
        }
    }

private:
    void take(const Step& step) {
        switch (step.kind) {
        case Step::Kind::bookmark:
            send_bookmark(context_, *step.fragment);
            break;
        case Step::Kind::silence:
            context_.write_silence(markup_silence_bytes(state_.settings, step.fragment->silence_ms));
            break;
        case Step::Kind::speech:
            speak_segment(step);
            break;
        }
    }

    void speak_segment(const Step& step) {
        const std::u16string prepared = prepare_segment(step, snapshot_.context());
        if (prepared.empty()) return;
        std::string converted;
        try {
            converted = to_engine_charset(prepared);
        } catch (const std::bad_alloc&) {
            context_.aborted = true;
            return;
        }
        if (!logged_.empty()) logged_ += u' ';
        logged_ += prepared;
        if (!spoke_) {
            spoke_ = true;
            if (!context_.write_silence(edge_silence_bytes(state_.settings, state_.settings.silence_at_begin))) return;
        }
        const uint64_t start = context_.written;
        time_words(step, start);
        context_.last_block_start = start;
        const uint64_t text_length = converted.size();
        // Waits for the turn at the library; an abort meanwhile ends the request.
        SegmentSynthesis synthesis(engine_);
        const LibraryState library = library_state(*step.fragment);
        context_.made_volume = context_.wanted_volume = library.prosody.volume;
        if (!synthesis.start(state_.synthesis, context_.sink, std::move(converted), library,
                             context_.wants(kEventWordBoundary))) {
            context_.aborted = true;
            return;
        }
        stream(synthesis, step, start, text_length);
    }

    // Writes the segment's audio as the library hands it over, looking at the
    // site before each block and while it waits; a volume change is heard from
    // the next block on. On an abort, a skip or a
    // stopped output it returns, and the library stops at its next block.
    void stream(SegmentSynthesis& synthesis, const Step& step, uint64_t start, uint64_t text_length) {
        size_t done = 0;
        bool opened = false;
        for (;;) {
            const SynthesisProgress now = synthesis.wait_beyond(done, kLookAgain);
            if (now.failed) {
                context_.aborted = true;
                return;
            }
            // Once the last block is out, a skip is for the next step.
            const bool all_written = now.finished && now.samples == done;
            if (!all_written) {
                const uint32_t actions = context_.look();
                if (context_.aborted || context_.skip_asked) return;
                if ((actions & kActionVolume) != 0) {
                    site_.volume = context_.sink.get_volume();
                    context_.wanted_volume = segment_prosody(site_, *step.fragment).volume;
                }
            }
            if (now.samples == done && !all_written) continue;
            if (!opened) {
                opened = true;
                if (step.opens_sentence) {
                    context_.send(kEventSentenceBoundary, step.sentence_length,
                                  static_cast<int32_t>(step.sentence_start), start);
                }
                // Without the library's reports the words are placed by their share of
                // the whole segment, which is then handed over at once.
                if (!now.words_reported) context_.words.spread(now.samples * 2);
            }
            if (all_written) break;
            synthesis.place_reports(context_.words, text_length);
            const size_t block = std::min(synthesis.block_end(done) - done, kBlockSamples);
            context_.write_block(synthesis, done, block);
            done += block;
            if (context_.ended()) return;
        }
        synthesis.place_reports(context_.words, text_length);
        context_.words.place_rest(done * 2);
        context_.words.send_rest(context_.last_block_start, [this](const TimedWord& w) { context_.send_word(w); });
    }

    // Everything the library is to hold for the segment.
    LibraryState library_state(const TextFragment& markup) const {
        const int32_t use_dictionary = state_.settings.use_dictionary;
        const Language* language = find_language(snapshot_.context().language);
        const bool main_dictionary = language && language->main_dictionary;
        return LibraryState{segment_prosody(site_, markup), state_.settings.intonation,
                            (use_dictionary == 1 || use_dictionary == 2) && main_dictionary ? 1 : 0, nullptr,
                            state_.settings.pause, voice_};
    }

    // The segment's words, each with its expected place in the segment's audio.
    void time_words(const Step& step, uint64_t start) {
        context_.words.begin(start);
        if (!context_.wants(kEventWordBoundary)) return;
        const bool spelled = step.fragment->action == FragmentAction::spell_out;
        for (const ClientSpan& span : step.spans) {
            const std::u16string_view text = span.text();
            for (WordSpan word = next_word(text, 0); word.start < text.size(); word = next_word(text, word.end)) {
                const std::u16string_view letters = text.substr(word.start, word.end - word.start);
                context_.words.add(span.source_offset() + static_cast<uint32_t>(word.start),
                                   static_cast<uint32_t>(letters.size()),
                                   spelled ? letters.size() : prepared_word_length(letters, snapshot_.context()));
            }
        }
    }

    SynthEngine& engine_;
    EngineState& state_;
    const int32_t voice_;
    PrepareSnapshot snapshot_;
    SpeakContext context_;
    SiteProsody site_;
    std::u16string logged_;
    bool spoke_ = false;
};

}  // namespace

std::u16string prepare_request_text(std::u16string_view text, const EngineState& state, const VoiceChoice& voice) {
    return prepare_text(text, PrepareSnapshot(voice_language(state, voice), state.settings).context());
}

void speak(std::span<const TextFragment> fragments, OutputSink& sink, SynthEngine& engine, EngineState& state,
           const VoiceChoice& voice, FragmentArrival* arrival) {
    RequestSpeaker(sink, engine, state, voice).run(fragments, arrival);
}

PcmFormat output_format(const EngineState& state) {
    PcmFormat format;
    format.samples_per_second = static_cast<uint32_t>(state.settings.sample_rate.load());
    format.average_bytes_per_second = format.samples_per_second * format.block_align;
    return format;
}

}  // namespace vl
