// sapiclient: a speech client of the real runtime. Through ISpVoice it lists
// the voices, speaks with each of the package's eight voices into a stream in
// the engine's format, and checks what it hears: speech that is not silent,
// SetRate(10) shorter, SetVolume quieter, and a purge that ends an
// asynchronous speak at once; a Russian and a Ukrainian voice in one process
// each sound as alone, set up in either order and speaking at once. Prints one
// line per check; the exit status is the number of failed checks. The WAV
// files stay in the current folder.
//
// The purge is checked with an output that plays at real speed, as an audio
// device does: the runtime closes it at the purge, and the engine learns of
// the purge from the "audio stopped" answer to its next write.
#include <wrl/client.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "sapi/com/class_id.h"
#include "sapi/com/sapi_declarations.h"
#include "sapi/testkit/wav_stream.h"
#include "store/file_io.h"
#include "tools/common/check_report.h"
#include "tools/common/wav.h"

namespace vl::sapi {
namespace {

using Microsoft::WRL::ComPtr;
using Clock = std::chrono::steady_clock;

const wchar_t kRussian[] = L"Съешь же ещё этих мягких французских булок, да выпей чаю.";
const wchar_t kUkrainian[] = L"Добрий день! Як справи? Їжачок і ґанок біля хати.";
const wchar_t kHello[] = L"Привет, мир!";

std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

double rms(const std::string& audio) {
    double sum = 0;
    const size_t samples = audio.size() / 2;
    for (size_t i = 0; i < samples; ++i) {
        const auto sample = static_cast<int16_t>(static_cast<uint8_t>(audio[2 * i]) | (audio[2 * i + 1] << 8));
        sum += double(sample) * sample;
    }
    return samples ? std::sqrt(sum / samples) : 0;
}

struct Voice {
    std::wstring name;
    ComPtr<ISpObjectToken> token;
};

// The engine's own output format, asked of the engine directly.
bool engine_format(WAVEFORMATEX& format) {
    ComPtr<ISpTTSEngine> engine;
    if (FAILED(CoCreateInstance(voice_class_id(), nullptr, CLSCTX_INPROC_SERVER, IID_ISpTTSEngine,
                                reinterpret_cast<void**>(engine.GetAddressOf())))) {
        return false;
    }
    GUID id{};
    WAVEFORMATEX* reported = nullptr;
    if (FAILED(engine->GetOutputFormat(&SPDFID_WaveFormatEx, nullptr, &id, &reported))) return false;
    format = *reported;
    CoTaskMemFree(reported);
    return true;
}

std::vector<Voice> package_voices() {
    std::vector<Voice> voices;
    ComPtr<ISpObjectTokenCategory> category;
    ComPtr<IEnumSpObjectTokens> tokens;
    ULONG count = 0;
    if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                reinterpret_cast<void**>(category.GetAddressOf()))) ||
        FAILED(category->SetId(SPCAT_VOICES, FALSE)) ||
        FAILED(category->EnumTokens(nullptr, nullptr, tokens.GetAddressOf())) || FAILED(tokens->GetCount(&count))) {
        return voices;
    }
    for (ULONG i = 0; i < count; ++i) {
        Voice voice;
        wchar_t* id = nullptr;
        if (FAILED(tokens->Item(i, voice.token.GetAddressOf())) || FAILED(voice.token->GetId(&id))) continue;
        const std::wstring full(id);
        CoTaskMemFree(id);
        voice.name = full.substr(full.rfind(L'\\') + 1);
        std::printf("     voice %s\n", narrow(voice.name).c_str());
        if (voice.name.rfind(L"Velnor_", 0) == 0) voices.push_back(voice);
    }
    return voices;
}

struct Speaker {
    ComPtr<ISpVoice> voice;
    ComPtr<WavStream> stream;
};

Speaker speaker(const Voice& voice, const WAVEFORMATEX& format, WavStream::Kind kind) {
    Speaker speaker;
    speaker.stream = new WavStream(format, kind);
    if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                reinterpret_cast<void**>(speaker.voice.GetAddressOf()))) ||
        FAILED(speaker.voice->SetVoice(voice.token.Get())) ||
        FAILED(speaker.voice->SetOutput(speaker.stream.Get(), TRUE))) {
        speaker.voice.Reset();
    }
    return speaker;
}

// The audio of one synchronous Speak, also kept as NAME.wav.
std::string speak(const Voice& voice, const WAVEFORMATEX& format, const std::wstring& text, long rate,
                  USHORT volume, const std::string& name) {
    Speaker s = speaker(voice, format, WavStream::Kind::file);
    if (!s.voice || FAILED(s.voice->SetRate(rate)) || FAILED(s.voice->SetVolume(volume)) ||
        FAILED(s.voice->Speak(text.c_str(), SPF_IS_NOT_XML, nullptr))) {
        return {};
    }
    const std::string audio = s.stream->audio();
    write_file_atomic(name + ".wav", make_wav(audio, format.nSamplesPerSec));
    return audio;
}

void purge_ends_an_asynchronous_speak(const Voice& voice, const WAVEFORMATEX& format) {
    std::wstring text;
    for (int i = 0; i < 30; ++i) text += std::wstring(kRussian) + L" ";
    Speaker s = speaker(voice, format, WavStream::Kind::audio_device);
    check(static_cast<bool>(s.voice), "purge: voice ready");
    if (!s.voice) return;
    const Clock::time_point start = Clock::now();
    check(SUCCEEDED(s.voice->Speak(text.c_str(), SPF_ASYNC | SPF_IS_NOT_XML, nullptr)), "purge: asynchronous speak");
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    const Clock::time_point purge = Clock::now();
    check(SUCCEEDED(s.voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr)), "purge: purge");
    const HRESULT done = s.voice->WaitUntilDone(20000);
    const Clock::time_point end = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(1));  // any late block of the engine arrives meanwhile
    const auto times = s.stream->write_times();
    const auto after = std::count_if(times.begin(), times.end(), [&](Clock::time_point t) { return t > purge; });
    const double seconds_of_audio = double(s.stream->audio().size()) / format.nAvgBytesPerSec;
    const auto milliseconds = [](Clock::duration d) {
        return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(d).count()) + " ms";
    };
    check(done == S_OK, "purge: the speak ended");
    check(after <= 2, "purge: " + std::to_string(after) + " audio blocks written after the purge");
    check(s.stream->refused_writes() <= 1,
          "purge: the engine stopped after " + std::to_string(s.stream->refused_writes()) + " refused write(s)");
    check(end - purge < std::chrono::seconds(2), "purge: speak ended " + milliseconds(end - purge) + " after the purge");
    check(seconds_of_audio < 5, "purge: " + std::to_string(seconds_of_audio) + " s of audio of a text of about 150 s");
    std::printf("     purge after %s\n", milliseconds(purge - start).c_str());
}

// Speaks synchronously, or only starts when asynchronous; false on a failure.
bool say(Speaker& s, const wchar_t* text, DWORD flags = 0) {
    return s.voice && SUCCEEDED(s.voice->Speak(text, flags | SPF_IS_NOT_XML, nullptr));
}

// Each voice's output beside the other equals its output alone: the second
// voice's set-up must not change the first one's language, and neither may
// speaking at once.
void languages_stay_with_their_voices(const Voice& russian, const Voice& ukrainian, const WAVEFORMATEX& format) {
    const std::string alone[2] = {speak(russian, format, kHello, 0, 100, "hello_alone"),
                                  speak(ukrainian, format, kUkrainian, 0, 100, "ukrainian_alone")};
    for (const bool russian_first : {true, false}) {
        const std::string order = russian_first ? "Russian set up first" : "Ukrainian set up first";
        Speaker r = speaker(russian, format, WavStream::Kind::file);
        Speaker u = speaker(ukrainian, format, WavStream::Kind::file);
        Speaker& first = russian_first ? r : u;
        Speaker& second = russian_first ? u : r;
        const wchar_t* const first_text = russian_first ? kHello : kUkrainian;
        const wchar_t* const second_text = russian_first ? kUkrainian : kHello;
        const bool spoke = say(first, first_text) && say(second, second_text) && say(first, first_text) &&
                           say(r, kHello, SPF_ASYNC) && say(u, kUkrainian, SPF_ASYNC) &&
                           r.voice->WaitUntilDone(60000) == S_OK && u.voice->WaitUntilDone(60000) == S_OK;
        check(spoke, "two voices: all spoken, " + order);
        const size_t russian_speaks = russian_first ? 3 : 2;
        const auto repeated = [](const std::string& audio, size_t times) {
            std::string all;
            for (size_t i = 0; i < times; ++i) all += audio;
            return all;
        };
        check(!alone[0].empty() && r.stream->audio() == repeated(alone[0], russian_speaks),
              "two voices: the Russian voice sounds as alone, " + order);
        check(!alone[1].empty() && u.stream->audio() == repeated(alone[1], 5 - russian_speaks),
              "two voices: the Ukrainian voice sounds as alone, " + order);
    }
}

int run() {
    WAVEFORMATEX format{};
    check(engine_format(format), "the engine reports its format");
    check(format.nSamplesPerSec >= 10000 && format.nSamplesPerSec <= 11025 && format.wBitsPerSample == 16 &&
              format.nChannels == 1,
          "format " + std::to_string(format.nSamplesPerSec) + " Hz, 16-bit mono");
    const std::vector<Voice> voices = package_voices();
    check(voices.size() == 8, std::to_string(voices.size()) + " of the package's voices listed");

    for (const Voice& voice : voices) {
        const bool ukrainian = voice.name.find(L"_Ukrainian") != std::wstring::npos;
        const std::string name = narrow(voice.name);
        const std::string audio = speak(voice, format, ukrainian ? kUkrainian : kRussian, 0, 100, name);
        check(audio.size() > format.nAvgBytesPerSec && rms(audio) > 300,
              name + ": " + std::to_string(audio.size()) + " bytes, rms " + std::to_string(int(rms(audio))));
    }
    if (voices.empty()) return check_failures();

    const Voice& first = voices.front();
    const std::string normal = speak(first, format, kRussian, 0, 100, "rate0");
    const std::string fast = speak(first, format, kRussian, 10, 100, "rate10");
    check(!fast.empty() && fast.size() * 10 < normal.size() * 7,
          "SetRate(10): " + std::to_string(fast.size()) + " bytes against " + std::to_string(normal.size()));
    const std::string quiet = speak(first, format, kRussian, 0, 20, "volume20");
    check(!quiet.empty() && rms(quiet) * 2 < rms(normal),
          "SetVolume(20): rms " + std::to_string(int(rms(quiet))) + " against " + std::to_string(int(rms(normal))));

    purge_ends_an_asynchronous_speak(first, format);
    const auto of_language = [&voices](const wchar_t* language) {
        return std::find_if(voices.begin(), voices.end(),
                            [language](const Voice& v) { return v.name.find(language) != std::wstring::npos; });
    };
    const auto russian = of_language(L"_Russian");
    const auto ukrainian = of_language(L"_Ukrainian");
    check(russian != voices.end() && ukrainian != voices.end(), "a Russian and a Ukrainian voice listed");
    if (russian != voices.end() && ukrainian != voices.end()) languages_stay_with_their_voices(*russian, *ukrainian, format);
    return check_failures();
}

}  // namespace
}  // namespace vl::sapi

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--help") {
        std::printf("usage: sapiclient\nSpeaks with each of the package's voices through the speech runtime, "
                    "checks what it hears\nand prints one line per check; the exit status is the number of "
                    "failed checks.\n");
        return 0;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 100;
    const int failures = vl::sapi::run();
    CoFreeUnusedLibrariesEx(0, 0);
    CoUninitialize();
    std::printf("%s\n", failures == 0 ? "sapiclient: all checks passed" : "sapiclient: checks failed");
    return failures;
}
