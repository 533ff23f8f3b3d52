// sapihost: loads the voice engine the way the speech runtime does (through its
// class registration), hands it a registry voice token, speaks a fragment list
// given on the command line into a WAV file and prints the events it received.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/utf.h"
#include "sapi/com/class_id.h"
#include "sapi/com/sapi_declarations.h"
#include "sapi/testkit/recording_site.h"
#include "sapi/testkit/registry_token.h"
#include "store/file_io.h"
#include "tools/common/arguments.h"
#include "tools/common/utf8_main.h"
#include "tools/common/wav.h"

#include <psapi.h>
#include <wrl/client.h>

namespace vl {
namespace {

using Microsoft::WRL::ComPtr;
using sapi::RecordingSite;
using sapi::RegistryToken;

constexpr const char* kUsage =
    "usage: sapihost --token KEY [--out FILE] [--rate N] [--volume N] [--abort-after N] [--stop-after N]\n"
    "                [--stats [--setups N]] FRAGMENT...\n"
    "  KEY: the token's registry key, such as HKLM\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\NAME\n"
    "  FRAGMENT: ACTION[,rate=N][,volume=N][,pitch=N]:TEXT, ACTION one of speak, pronounce, spell,\n"
    "            bookmark, silence (TEXT: milliseconds), section";


struct EngineError : std::runtime_error {
    EngineError(const std::string& what, HRESULT result)
        : std::runtime_error(what + " failed with 0x" + hex(result)) {}
    static std::string hex(HRESULT result) {
        char text[9];
        std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(result));
        return text;
    }
};

struct Fragment {
    SPVACTIONS action = SPVA_Speak;
    long rate = 0;
    ULONG volume = 100;
    long pitch = 0;
    std::wstring text;
};

struct Options {
    std::wstring token;
    std::string out = "sapihost.wav";
    sapi::SiteOptions site;
    bool stats = false;
    long setups = 1;  // set-ups on the existing data folder, timed for --stats
    std::list<Fragment> fragments;  // stable addresses for the fragment records
};

std::wstring wide(std::string_view utf8) {
    const std::u16string text = utf8_to_utf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string narrow(std::wstring_view text) {
    return utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

Fragment parse_fragment(const std::string& arg) {
    static const std::pair<std::string_view, SPVACTIONS> kActions[] = {
        {"speak", SPVA_Speak},     {"pronounce", SPVA_Pronounce}, {"spell", SPVA_SpellOut},
        {"bookmark", SPVA_Bookmark}, {"silence", SPVA_Silence},   {"section", SPVA_Section},
    };
    const size_t colon = arg.find(':');
    if (colon == std::string::npos) throw UsageError("fragment without ':' " + arg);
    Fragment fragment;
    fragment.text = wide(std::string_view(arg).substr(colon + 1));
    std::string_view head = std::string_view(arg).substr(0, colon);
    const size_t comma = head.find(',');
    const std::string_view action = head.substr(0, comma);
    bool known = false;
    for (const auto& [name, value] : kActions) {
        if (name == action) fragment.action = value, known = true;
    }
    if (!known) throw UsageError("unknown fragment action " + std::string(action));
    head = comma == std::string_view::npos ? std::string_view() : head.substr(comma + 1);
    while (!head.empty()) {
        const std::string_view item = head.substr(0, head.find(','));
        head = item.size() < head.size() ? head.substr(item.size() + 1) : std::string_view();
        const size_t equals = item.find('=');
        const std::string name(item.substr(0, equals));
        const long value = parse_whole_number(equals == std::string_view::npos ? "" : item.substr(equals + 1), name);
        if (name == "rate") fragment.rate = value;
        else if (name == "volume") fragment.volume = static_cast<ULONG>(value);
        else if (name == "pitch") fragment.pitch = value;
        else throw UsageError("unknown fragment setting " + name);
    }
    return fragment;
}

Options parse_options(const std::vector<std::string>& args) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return option_value(args, i); };
        if (arg == "--token") options.token = wide(value());
        else if (arg == "--out") options.out = value();
        else if (arg == "--rate") options.site.rate = parse_whole_number(value(), arg);
        else if (arg == "--volume") options.site.volume = static_cast<USHORT>(parse_whole_number(value(), arg));
        else if (arg == "--abort-after") options.site.abort_after = static_cast<uint32_t>(parse_whole_number(value(), arg));
        else if (arg == "--stop-after") options.site.stop_after = static_cast<uint32_t>(parse_whole_number(value(), arg));
        else if (arg == "--stats") options.stats = true;
        else if (arg == "--setups") options.setups = std::max<long>(1, parse_whole_number(value(), arg));
        else if (arg.starts_with("--")) throw UsageError("unknown option " + arg);
        else options.fragments.push_back(parse_fragment(arg));
    }
    if (options.token.empty()) throw UsageError("no --token given");
    return options;
}

// The engine's fragment list over the parsed fragments. Each fragment's text
// sits in the client's text where the fragments' texts written one after
// another would put it.
std::vector<SPVTEXTFRAG> fragment_records(const std::list<Fragment>& fragments) {
    std::vector<SPVTEXTFRAG> records(fragments.size());
    size_t i = 0;
    ULONG source_offset = 0;
    for (const Fragment& fragment : fragments) {
        SPVTEXTFRAG& record = records[i];
        record.State.eAction = fragment.action;
        record.State.RateAdj = fragment.rate;
        record.State.Volume = fragment.volume;
        record.State.PitchAdj.MiddleAdj = fragment.pitch;
        if (fragment.action == SPVA_Silence) record.State.SilenceMSecs = std::wcstoul(fragment.text.c_str(), nullptr, 10);
        record.pTextStart = fragment.text.c_str();
        record.ulTextLen = static_cast<ULONG>(fragment.text.size());
        record.ulTextSrcOffset = source_offset;
        source_offset += record.ulTextLen;
        record.pNext = i + 1 < fragments.size() ? &records[i + 1] : nullptr;
        ++i;
    }
    return records;
}

// Private bytes of the process, in KiB.
size_t private_kib() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage / 1024;
}

template <typename Call>
double milliseconds(Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void check(HRESULT result, const std::string& what) {
    if (FAILED(result)) throw EngineError(what, result);
}

std::string event_line(const sapi::RecordedEvent& recorded) {
    const SPEVENT& event = recorded.event;
    std::string line = "event ";
    if (event.eEventId == SPEI_TTS_BOOKMARK) line += "bookmark";
    else if (event.eEventId == SPEI_WORD_BOUNDARY) line += "word_boundary";
    else if (event.eEventId == SPEI_SENTENCE_BOUNDARY) line += "sentence_boundary";
    else line += "id=" + std::to_string(event.eEventId);
    line += " wparam=" + std::to_string(event.wParam);
    if (event.elParamType == SPET_LPARAM_IS_STRING) line += " text=" + narrow(recorded.text);
    else line += " lparam=" + std::to_string(event.lParam);
    line += " stream=" + std::to_string(event.ulStreamNum) + " offset=" + std::to_string(event.ullAudioStreamOffset);
    line += " audio_before=" + std::to_string(recorded.audio_bytes_before);
    return line;
}

int run(const Options& options) {
    const size_t memory_before = private_kib();
    CLSID class_id{};
    check(CLSIDFromString(sapi::kVoiceClassIdText, &class_id), "CLSIDFromString");
    ComPtr<ISpTTSEngine> engine;
    check(CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_ISpTTSEngine,
                           reinterpret_cast<void**>(engine.GetAddressOf())),
          "CoCreateInstance");
    ComPtr<ISpObjectWithToken> with_token;
    check(engine->QueryInterface(IID_ISpObjectWithToken, reinterpret_cast<void**>(with_token.GetAddressOf())),
          "QueryInterface(ISpObjectWithToken)");
    ComPtr<ISpObjectToken> token;
    check(RegistryToken::open(options.token, token.GetAddressOf()), "opening the token");

    HRESULT result = S_OK;
    const double first_setup = milliseconds([&] { result = with_token->SetObjectToken(token.Get()); });
    check(result, "SetObjectToken");
    std::vector<double> again;
    for (long i = 0; i < options.setups; ++i) {
        again.push_back(milliseconds([&] { result = with_token->SetObjectToken(token.Get()); }));
        check(result, "SetObjectToken (again)");
    }
    std::sort(again.begin(), again.end());
    const size_t memory_setup = private_kib();

    GUID format_id{};
    WAVEFORMATEX* format = nullptr;
    check(engine->GetOutputFormat(&SPDFID_WaveFormatEx, nullptr, &format_id, &format), "GetOutputFormat");
    const WAVEFORMATEX wave = *format;
    CoTaskMemFree(format);
    std::cout << "format " << (format_id == SPDFID_WaveFormatEx ? "waveformatex" : "other") << " tag="
              << wave.wFormatTag << " channels=" << wave.nChannels << " rate=" << wave.nSamplesPerSec
              << " bits=" << wave.wBitsPerSample << " align=" << wave.nBlockAlign
              << " bytes_per_second=" << wave.nAvgBytesPerSec << " extra=" << wave.cbSize << '\n';

    const ComPtr<RecordingSite> site = new RecordingSite(options.site);
    const std::vector<SPVTEXTFRAG> records = fragment_records(options.fragments);
    check(engine->Speak(0, SPDFID_WaveFormatEx, &wave, records.empty() ? nullptr : records.data(), site.Get()),
          "Speak");
    const size_t memory_speak = private_kib();

    for (const auto& recorded : site->events) std::cout << event_line(recorded) << '\n';
    std::cout << "audio bytes=" << site->audio.size() << " audio_writes=" << site->audio_writes
              << " silence_writes=" << site->silence_writes
              << " refused_writes=" << site->writes_after_stop << '\n';
    if (options.stats) {
        std::cout << "stats setup_first_ms=" << first_setup << " setup_again_ms=" << again[again.size() / 2]
                  << " setup_again_min_ms=" << again.front()
                  << " memory_setup_kib=" << static_cast<long>(memory_setup - memory_before)
                  << " memory_after_speak_kib=" << static_cast<long>(memory_speak - memory_before) << '\n';
    }
    std::cout << std::flush;
    if (!write_file_atomic(utf8_path(options.out), make_wav(site->audio, wave.nSamplesPerSec))) {
        throw std::runtime_error("cannot write " + options.out);
    }
    return 0;
}

}  // namespace

int utf8_main(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "--help") {
        std::cout << kUsage << std::endl;
        return 0;
    }
    try {
        const Options options = parse_options(args);
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) throw std::runtime_error("COM did not start");
        int status = 1;
        try {
            status = run(options);
        } catch (...) {
            CoUninitialize();
            throw;
        }
        CoUninitialize();
        return status;
    } catch (const UsageError& error) {
        std::cerr << "sapihost: " << error.what() << '\n' << kUsage << std::endl;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "sapihost: " << error.what() << std::endl;
        return 1;
    }
}

}  // namespace vl
