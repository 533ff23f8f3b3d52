// vlsay: speaks a text through the engine into a WAV file, or shows the text
// the synthesis engine would read.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/utf.h"
#include "base/wav.h"
#include "engine/engine_state.h"
#include "engine/voice_choice.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/voice_setup.h"
#include "engine/voices.h"
#include "platform/app_data.h"
#include "textprep/prepare_text.h"
#include "tools/common/arguments.h"
#include "tools/common/input_text.h"
#include "tools/common/utf8_main.h"

namespace vl {
namespace {

constexpr const char* kUsage =
    "usage: vlsay [--appdata DIR] [--voice NAME] [--rate N] [--volume N] [--out FILE] [--prepare] [TEXT...]";
constexpr const char* kDefaultOut = "vlsay.wav";

struct Options {
    std::filesystem::path appdata;
    std::u16string voice = u"Velnor_Male1_Russian";
    std::optional<int32_t> rate;
    std::optional<int32_t> volume;
    std::filesystem::path out = kDefaultOut;
    bool prepare_only = false;
    bool help = false;
    std::vector<std::string> words;
};

Options parse_options(const std::vector<std::string>& args) {
    Options options;
    options.appdata = application_data_folder();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return option_value(args, i); };
        if (arg == "--help") {
            options.help = true;
        } else if (arg == "--appdata") {
            options.appdata = utf8_path(value());
        } else if (arg == "--voice") {
            options.voice = utf8_to_utf16(value());
            if (std::ranges::find(kVoiceNames, options.voice) == kVoiceNames.end())
                throw UsageError("unknown voice " + args[i]);
        } else if (arg == "--rate") {
            options.rate = parse_whole_number(value(), arg, -10, 10);
        } else if (arg == "--volume") {
            options.volume = parse_whole_number(value(), arg, 0, 100);
        } else if (arg == "--out") {
            options.out = utf8_path(value());
        } else if (arg == "--prepare") {
            options.prepare_only = true;
        } else if (arg == "--") {
            options.words.insert(options.words.end(), args.begin() + i + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            throw UsageError("unknown option " + arg);
        } else {
            options.words.push_back(arg);
        }
    }
    if (options.appdata.empty()) throw UsageError("no application-data folder: give --appdata");
    return options;
}

// The output sink of one request: keeps the audio, reports the rate and volume asked for.
class AudioCollector final : public OutputSink {
public:
    explicit AudioCollector(const Options& options) : options_(options) {}
    uint32_t get_actions() override {
        return (options_.rate ? kActionRate : 0u) | (options_.volume ? kActionVolume : 0u);
    }
    int32_t get_rate() override { return options_.rate.value_or(0); }
    uint16_t get_volume() override { return static_cast<uint16_t>(options_.volume.value_or(100)); }
    bool get_sentence_skip(int32_t&) override { return false; }
    void complete_skip(int32_t) override {}
    uint64_t get_event_interest() override { return 0; }
    bool write(const void* bytes, uint32_t count, WriteKind) override {
        pcm.append(static_cast<const char*>(bytes), count);
        return true;
    }
    void add_event(const SpeakEvent&) override {}

    std::string pcm;

private:
    const Options& options_;
};

// A voice token for one of the package's voices: the name's suffix gives the language.
class NamedVoice final : public VoiceToken {
public:
    explicit NamedVoice(std::u16string name) : name_(std::move(name)) {}
    int32_t voice_name(std::u16string& name) override {
        name = name_;
        return kStatusOk;
    }
    int32_t language(std::optional<std::u16string>& language) override {
        const Language* named = language_of_voice(name_);
        language = std::u16string((named ? *named : kRussian).code);
        return kStatusOk;
    }

private:
    std::u16string name_;
};

int run(const std::vector<std::string>& args) {
    const Options options = parse_options(args);
    if (options.help) {
        std::cout << kUsage << '\n';
        return 0;
    }
    const std::u16string text = utf8_to_utf16(input_text(options.words));
    EngineState& state = engine_state();
    SynthEngine& engine = velnor_engine();
    std::error_code ignored;
    std::filesystem::create_directories(options.appdata, ignored);
    NamedVoice voice(options.voice);
    VoiceChoice library;
    if (set_up_voice(voice, options.appdata, state, engine, library) != kStatusOk) {
        throw std::runtime_error("cannot set up the voice");
    }

    if (options.prepare_only) {
        std::cout << utf16_to_utf8(prepare_request_text(text, state)) << '\n' << std::flush;
        return 0;
    }
    AudioCollector sink(options);
    const TextFragment fragment{FragmentAction::speak, 0, 100, 0, text};
    speak({&fragment, 1}, sink, engine, state, library);
    const auto rate = static_cast<uint32_t>(state.settings.sample_rate.load());
    if (!write_file_atomic(options.out, make_wav(sink.pcm, rate))) {
        throw std::runtime_error("cannot write " + path_utf8(options.out));
    }
    return 0;
}

}  // namespace

int utf8_main(const std::vector<std::string>& args) {
    try {
        return run(args);
    } catch (const UsageError& error) {
        std::cerr << "vlsay: " << error.what() << " (vlsay --help shows the usage)" << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "vlsay: " << error.what() << std::endl;
    }
    return 2;
}

}  // namespace vl
