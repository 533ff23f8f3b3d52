// The speak driver through its public entry, with a recording synthesis engine
// and a site whose answers, like the fragment list, come from the input:
// any actions, rates, volumes, pitches and bookmarks, empty and huge fragments,
// audio blocks of any size, writes that fail, aborts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/tests/fakes.h"
#include "engine/voice_choice.h"
#include "fuzz/fuzz_reader.h"
#include "store/pronunciation_file.h"
#include "textprep/prepare_text.h"

namespace {

class FuzzSink : public vl::OutputSink {
public:
    explicit FuzzSink(vl::fuzz::FuzzReader& input)
        : actions_(input.take<uint32_t>()), rate_(input.take<int32_t>()), volume_(input.take<uint16_t>()),
          writes_before_failure_(input.take<uint8_t>()), interest_(input.take<uint64_t>()),
          skip_(input.take<int32_t>()) {}
    // A skip is asked for until it is completed, as a speech runtime's site does.
    uint32_t get_actions() override { return skip_done_ ? actions_ & ~uint32_t{vl::kActionSkip} : actions_; }
    int32_t get_rate() override { return rate_; }
    uint16_t get_volume() override { return volume_; }
    bool get_sentence_skip(int32_t& sentences) override { return sentences = skip_, true; }
    void complete_skip(int32_t) override { skip_done_ = true; }
    uint64_t get_event_interest() override { return interest_; }
    bool write(const void* bytes, uint32_t count, vl::WriteKind) override {
        if (count > 0 && bytes == nullptr) __builtin_trap();
        written_ += count;
        return writes_before_failure_ == 0 || --writes_before_failure_ > 0;
    }
    void add_event(const vl::SpeakEvent& event) override {
        if (event.param_type == vl::kParamString && event.text == nullptr) __builtin_trap();
    }

private:
    const uint32_t actions_;
    const int32_t rate_;
    const uint16_t volume_;
    uint8_t writes_before_failure_;
    const uint64_t interest_;
    const int32_t skip_;
    bool skip_done_ = false;
    size_t written_ = 0;
};

vl::EngineState& state() {
    static vl::EngineState* state = [] {
        auto* made = new vl::EngineState;
        made->language.publish(std::u16string(vl::kRussianLanguage));
        made->tables.publish(vl::default_pronunciation_tables(vl::kRussianLanguage));
        made->settings.pause = -1;
        made->settings.intonation = 50;
        return made;
    }();
    return *state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::FuzzReader input(data, size);
    FuzzSink sink(input);
    vl::test::RecordingEngine engine;
    engine.set_audio_callback(vl::audio_chunk_callback);
    engine.blocks.clear();
    for (auto count = input.take<uint8_t>() % 4; count > 0; --count) {
        engine.blocks.emplace_back(input.take<uint16_t>() % 6000, input.take<uint8_t>());
    }
    vl::VoiceChoice voice;
    voice.voice = input.take<int32_t>();

    std::vector<std::u16string> texts;
    std::vector<vl::TextFragment> fragments;
    while (!input.empty() && fragments.size() < 64) {
        vl::TextFragment fragment;
        fragment.action = static_cast<vl::FragmentAction>(input.take<uint8_t>() % 8);
        fragment.rate_adj = input.take<int32_t>();
        fragment.volume = input.take<uint32_t>();
        fragment.pitch_middle_adj = input.take<int32_t>();
        fragment.silence_ms = input.take<uint16_t>() % 2000;  // longer silences only take longer
        fragment.source_offset = input.take<uint32_t>();
        const std::string_view units = input.bytes(input.take<uint16_t>());
        std::u16string& text = texts.emplace_back(units.size() / 2, u'\0');
        for (size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>(static_cast<uint8_t>(units[2 * i]) | static_cast<uint8_t>(units[2 * i + 1]) << 8);
        }
        fragments.push_back(fragment);
    }
    for (size_t i = 0; i < fragments.size(); ++i) fragments[i].text = texts[i];  // texts no longer move
    vl::speak(fragments, sink, engine, state(), voice);
    return 0;
}
