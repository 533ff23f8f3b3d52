#pragma once
// A synthesis engine that records every call and plays back fixed blocks, an
// output sink that records what the driver writes and sends, and a voice token
// with settable answers; the state and fragments the driver's tests speak with.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/speak_request.h"
#include "engine/synth_engine.h"
#include "engine/voice_setup.h"

namespace vl::test {

class RecordingEngine : public SynthEngine {
public:
    std::vector<std::string> calls;   // such as "11(7)" or "6(text)"
    std::vector<std::vector<uint8_t>> blocks = {{128, 255, 0}};
    int32_t voice = 0;
    int32_t tempo = 90;
    bool stopped = false;
    // When set, each speak makes this many samples per character of its text
    // at tempo 90 (more when slower) instead of the fixed blocks.
    int samples_per_character = 0;
    std::vector<std::string> texts;   // every text spoken, in order
    std::vector<size_t> samples_made; // per text
    int32_t ready_answer = 1;  // 0: the library is not ready
    std::function<void(size_t)> before_block;  // called with each block's index before it is handed over
    // When not empty, the library reports words: before block i, that a word
    // starts at byte word_reports[i] of its text (while there are reports).
    std::vector<int32_t> word_reports;

    int32_t ready() override { return record("19"), ready_answer; }
    void set_audio_callback(synth_audio_callback c) override { callback = c; record("3"); }
    void select_voice(int32_t v) override { voice = v; record("12", v); }
    int32_t current_voice() override { return record("14"), voice; }
    void use_main_dictionary(int32_t on) override { record("1", on); }
    void set_callback_context(void* c) override { context = c; record("2"); }
    void set_volume(int32_t v) override { record("7", v); }
    void set_pause(int32_t p) override { record("10", p); }
    void set_speed_step(int32_t s) override { record("11", s); }
    void set_tempo(int32_t t) override { tempo = t; record("13", t); }
    void set_pitch_low(int32_t p) override { record("9", p); }
    void set_pitch_high(int32_t p) override { record("8", p); }
    void stop() override { stopped = true; record("5"); }
    bool report_words(bool on) override { return reporting_ = on && !word_reports.empty(); }
    void speak(const char* text) override {
        spoken = text;
        texts.push_back(text);
        samples_made.push_back(0);
        record("6");
        stopped = false;
        std::vector<std::vector<uint8_t>> made = blocks;
        if (samples_per_character > 0) {
            size_t left = spoken.size() * static_cast<size_t>(samples_per_character) * 90 / static_cast<size_t>(tempo);
            made.clear();
            for (; left > 0; left -= made.back().size()) made.emplace_back(std::min<size_t>(left, 2048), uint8_t{200});
        }
        for (const auto& block : made) {
            if (before_block) before_block(static_cast<size_t>(&block - made.data()));
            if (stopped) break;
            const size_t index = static_cast<size_t>(&block - made.data());
            if (reporting_ && index < word_reports.size() && callback(context, nullptr, word_reports[index]) != 0) break;
            samples_made.back() += block.size();
            if (callback(context, block.data(), static_cast<int32_t>(block.size())) != 0) break;
        }
    }

    synth_audio_callback callback = nullptr;
    void* context = nullptr;
    std::string spoken;

private:
    bool reporting_ = false;
    void record(const char* ordinal) { calls.emplace_back(ordinal); }
    void record(const char* ordinal, int32_t value) {
        calls.push_back(std::string(ordinal) + "(" + std::to_string(value) + ")");
    }
};

struct RecordedEvent {
    EventId id;
    EventParamType param_type;
    uint32_t wparam;
    int32_t lparam;
    std::u16string text;
    uint64_t audio_offset;
    uint64_t bytes_before;  // what the sink had taken when the event arrived
};

class RecordingSink : public OutputSink {
public:
    uint32_t actions = 0;
    int32_t rate = 0;
    uint16_t volume = 100;
    int abort_after_writes = -1;      // sets the abort action after this many audio writes
    int fail_after_writes = -1;       // reports the output stopped after this many audio writes
    int skip_after_writes = -1;       // asks for a skip of skip_sentences after this many audio writes
    int32_t skip_sentences = 1;
    uint64_t interest = ~0ull;
    std::vector<int32_t> completed_skips;
    // Called after each audio write with the count of audio writes so far.
    std::function<void(RecordingSink&, int)> after_audio_write;
    std::vector<std::pair<WriteKind, std::vector<uint8_t>>> writes;
    std::vector<RecordedEvent> events;

    uint32_t get_actions() override { return actions; }
    int32_t get_rate() override { return rate; }
    uint16_t get_volume() override { return volume; }
    bool get_sentence_skip(int32_t& sentences) override { return sentences = skip_sentences, true; }
    void complete_skip(int32_t skipped) override {
        completed_skips.push_back(skipped);
        actions &= ~uint32_t{kActionSkip};
    }
    uint64_t get_event_interest() override { return interest; }
    bool write(const void* bytes, uint32_t count, WriteKind kind) override {
        const auto* data = static_cast<const uint8_t*>(bytes);
        writes.emplace_back(kind, std::vector<uint8_t>(data, data + count));
        const int audio = audio_writes();
        if (kind == WriteKind::audio && audio == abort_after_writes) actions |= kActionAbort;
        if (kind == WriteKind::audio && audio == skip_after_writes) actions |= kActionSkip;
        if (kind == WriteKind::audio && after_audio_write) after_audio_write(*this, audio);
        return !(kind == WriteKind::audio && fail_after_writes >= 0 && audio > fail_after_writes);
    }
    void add_event(const SpeakEvent& e) override {
        events.push_back({e.id, e.param_type, e.wparam, e.lparam, e.text ? std::u16string(e.text) : u"",
                          e.audio_offset, bytes_written()});
    }
    uint64_t bytes_written() const {
        uint64_t n = 0;
        for (const auto& w : writes) n += w.second.size();
        return n;
    }
    int audio_writes() const {
        int n = 0;
        for (const auto& w : writes) n += w.first == WriteKind::audio;
        return n;
    }
};

// The first Russian voice unless a test changes its answers.
class FakeToken : public VoiceToken {
public:
    std::u16string name = u"Velnor_Male1_Russian";
    std::optional<std::u16string> language_code = u"419";
    int32_t name_status = 0;
    int32_t attributes_status = 0;

    int32_t voice_name(std::u16string& out) override { return out = name, name_status; }
    int32_t language(std::optional<std::u16string>& out) override { return out = language_code, attributes_status; }
};

// A Russian voice under the default settings.
inline void use_russian_defaults(EngineState& state) {
    state.language.publish(std::u16string(u"419"));
    state.settings.pause = -1;
    state.settings.intonation = 50;
}

// Plain text at the voice's own rate, volume and pitch.
inline TextFragment plain_text(std::u16string_view text) { return TextFragment{FragmentAction::speak, 0, 100, 0, text}; }

}  // namespace vl::test
