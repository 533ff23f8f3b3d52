// vlsay: speaks a text through the engine into a WAV file, or shows the text
// the synthesis engine would read.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utf.h"
#include "contract/languages.h"
#include "engine/engine_charset.h"
#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/voice_choice.h"
#include "engine/voice_setup.h"
#include "platform/app_data.h"
#include "textprep/prepare_text.h"
#include "tools/common/arguments.h"
#include "tools/common/console_text.h"
#include "tools/common/input_text.h"
#include "tools/common/progress_line.h"
#include "tools/common/utf8_main.h"
#include "tools/vlsay/library_phones.h"
#include "tools/vlsay/text_pieces.h"
#include "tools/vlsay/wav_writer.h"

namespace vl {
namespace {

constexpr const char* kUsage =
    "usage: vlsay [--appdata DIR] [--voice NAME] [--rate N] [--volume N] [--out FILE|-] [--prepare|--phones]\n"
    "             [--quiet] [TEXT...]\n"
    "Speaks TEXT (or all of standard input, UTF-8) into a WAV file (default vlsay.wav; - is standard output).\n"
    "--prepare shows the text the synthesis library is given, --phones the phones it would speak.";
constexpr const char* kDefaultOut = "vlsay.wav";
// Characters of text spoken at a time, at the least.
constexpr size_t kPieceLength = 4096;

// Set by Ctrl+C, a termination request or a closed terminal: the speech stops
// and no file is left.
std::atomic<bool> interrupted{false};
extern "C" void on_interrupt(int) { interrupted = true; }

#if defined(_WIN32)
// A closed console window, a logoff or a shutdown ends the process as soon as
// this handler returns: it stops the speech and waits, so that the main thread
// removes the temporary file and exits first.
BOOL WINAPI on_console_end(DWORD event) {
    if (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT) return FALSE;
    interrupted = true;
    Sleep(INFINITE);
    return TRUE;
}
#endif

void stop_on_interruption() {
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
#if defined(_WIN32)
    std::signal(SIGBREAK, on_interrupt);
    SetConsoleCtrlHandler(on_console_end, TRUE);
#else
    std::signal(SIGHUP, on_interrupt);
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe fails the write, which is reported
#endif
}

struct Options {
    std::filesystem::path appdata;
    std::u16string voice = u"Velnor_Male1_Russian";
    std::optional<int32_t> rate;
    std::optional<int32_t> volume;
    std::filesystem::path out = kDefaultOut;
    bool prepare_only = false;
    bool phones_only = false;
    bool quiet = false;
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
            if (!voice_kind_index(options.voice))
                throw UsageError("unknown voice " + args[i]);
        } else if (arg == "--rate") {
            options.rate = parse_whole_number(value(), arg, -10, 10);
        } else if (arg == "--volume") {
            options.volume = parse_whole_number(value(), arg, 0, 100);
        } else if (arg == "--out") {
            options.out = utf8_path(value());
        } else if (arg == "--prepare") {
            options.prepare_only = true;
        } else if (arg == "--phones") {
            options.phones_only = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
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

// The output sink: the audio goes to the WAV file as it comes; reports the rate
// and volume asked for. The text is spoken in pieces, and only the first keeps
// the silence written before the speech and only the last the silence after it.
class WavSink final : public OutputSink {
public:
    WavSink(const Options& options, WavWriter& wav) : options_(options), wav_(wav) {}
    void begin_piece(bool first, bool last) {
        first_ = first;
        last_ = last;
        audio_in_piece_ = false;
    }
    uint32_t get_actions() override {
        return (options_.rate ? kActionRate : 0u) | (options_.volume ? kActionVolume : 0u) |
               (interrupted ? kActionAbort : 0u);
    }
    int32_t get_rate() override { return options_.rate.value_or(0); }
    uint16_t get_volume() override { return static_cast<uint16_t>(options_.volume.value_or(100)); }
    bool get_sentence_skip(int32_t&) override { return false; }
    void complete_skip(int32_t) override {}
    uint64_t get_event_interest() override { return 0; }
    bool write(const void* bytes, uint32_t count, WriteKind kind) override {
        if (interrupted) return false;
        if (kind == WriteKind::audio) audio_in_piece_ = true;
        if (kind == WriteKind::silence && !(audio_in_piece_ ? last_ : first_)) return true;
        return wav_.write(bytes, count);
    }
    void add_event(const SpeakEvent&) override {}

private:
    const Options& options_;
    WavWriter& wav_;
    bool first_ = true, last_ = true, audio_in_piece_ = false;
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
        print(std::string(kUsage) + '\n');
        return 0;
    }
    const std::u16string text = input_text(options.words);
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
        print(utf16_to_utf8(prepare_request_text(text, state, library)) + '\n');
        return 0;
    }
    if (options.phones_only) {
        const std::optional<std::string> phones = library_phones(to_engine_charset(prepare_request_text(text, state, library)));
        if (!phones) throw std::runtime_error("the synthesis library does not show its phones");
        print(*phones);
        return 0;
    }
    stop_on_interruption();
    // The target is checked, and its temporary file made, before any speech.
    WavWriter wav(options.out, static_cast<uint32_t>(state.settings.sample_rate.load()));
    WavSink sink(options, wav);
    ProgressLine progress(!options.quiet);
    const std::vector<std::u16string_view> pieces = speaking_pieces(text, kPieceLength);
    for (size_t i = 0; i < pieces.size() && !interrupted && wav.failure().empty(); ++i) {
        sink.begin_piece(i == 0, i + 1 == pieces.size());
        const TextFragment fragment{FragmentAction::speak, 0, 100, 0, pieces[i]};
        speak({&fragment, 1}, sink, engine, state, library);
        progress.update(static_cast<double>(pieces[i].data() + pieces[i].size() - text.data()) / text.size());
    }
    if (interrupted) throw std::runtime_error("interrupted: no file written");
    if (!wav.finish()) throw std::runtime_error(wav.failure());
    return 0;
}

}  // namespace

int utf8_main(const std::vector<std::string>& args) {
    try {
        return run(args);
    } catch (const UsageError& error) {
        write_text(stderr, std::string("vlsay: ") + error.what() + " (vlsay --help shows the usage)\n");
    } catch (const std::exception& error) {
        write_text(stderr, std::string("vlsay: ") + error.what() + "\n");
    }
    return 2;
}

}  // namespace vl
