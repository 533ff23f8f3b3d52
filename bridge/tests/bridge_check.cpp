// bridge_check: the engine of whichever bitness this program is, created
// through its class registration and set up from a registry token, timed and
// put through a host's death. Built 32-bit it drives vlsapi.dll in process;
// built 64-bit, vlsapi64.dll and its host. Prints one line per check or figure;
// the exit status is the number of failed checks.
//
//   bridge_check figures TOKEN       set-up, time to first audio, throughput
//   bridge_check host-death TOKEN    (64-bit) a killed host fails Speak at once,
//                                    and the next SetObjectToken starts a new one
//   bridge_check reload TOKEN        a settings reload reaches the engine
//   bridge_check hold TOKEN          sets a voice up and waits to be killed
//   bridge_check hosts               prints how many hosts run
#include <windows.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <fstream>

#include "platform/app_data.h"
#include "platform/reload_signal.h"
#include "sapi/com/class_id.h"
#include "sapi/testkit/recording_site.h"
#include "sapi/testkit/registry_token.h"
#include "tools/common/check_report.h"

namespace vl::sapi {
namespace {

using Microsoft::WRL::ComPtr;
using Clock = std::chrono::steady_clock;

const wchar_t kSentence[] = L"Съешь же ещё этих мягких французских булок, да выпей чаю.";

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// A site that notes when the first audio arrives and then asks for an abort.
class FirstAudioSite final : public ComObject<WithBases<ISpTTSEngineSite, ISpEventSink>> {
public:
    Clock::time_point first_audio{};
    int writes = 0;

    HRESULT STDMETHODCALLTYPE AddEvents(const SPEVENT*, ULONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetEventInterest(ULONGLONG* interest) override {
        *interest = 0;
        return S_OK;
    }
    DWORD STDMETHODCALLTYPE GetActions() override { return writes > 0 ? SPVES_ABORT : 0; }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
        if (written == nullptr) return S_OK;  // leading silence
        if (writes++ == 0) first_audio = Clock::now();
        *written = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRate(long* rate) override { return *rate = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT* volume) override { return *volume = 100, S_OK; }
    HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE*, long*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE CompleteSkip(long) override { return S_OK; }

private:
    ~FirstAudioSite() override = default;
};

SPVTEXTFRAG speak_fragment(const std::wstring& text) {
    SPVTEXTFRAG fragment{};
    fragment.State.eAction = SPVA_Speak;
    fragment.State.Volume = 100;
    fragment.pTextStart = text.c_str();
    fragment.ulTextLen = static_cast<ULONG>(text.size());
    return fragment;
}

struct Voice {
    ComPtr<ISpTTSEngine> engine;
    ComPtr<ISpObjectWithToken> with_token;

    static Voice create() {
        Voice voice;
        if (SUCCEEDED(CoCreateInstance(voice_class_id(), nullptr, CLSCTX_INPROC_SERVER, IID_ISpTTSEngine,
                                       reinterpret_cast<void**>(voice.engine.GetAddressOf())))) {
            voice.engine.As(&voice.with_token);
        }
        return voice;
    }

    HRESULT set_up(const std::wstring& token_id) {
        ComPtr<ISpObjectToken> token;
        if (const HRESULT result = RegistryToken::open(token_id, token.GetAddressOf()); FAILED(result)) return result;
        return with_token->SetObjectToken(token.Get());
    }

    // One Speak of the text into a new recording site.
    HRESULT speak(const std::wstring& text, const SiteOptions& options, ComPtr<RecordingSite>& site) {
        site = new RecordingSite(options);
        return speak(text, site.Get());
    }

    HRESULT speak(const std::wstring& text, ISpTTSEngineSite* site) {
        const SPVTEXTFRAG fragment = speak_fragment(text);
        WAVEFORMATEX format{};
        return engine->Speak(0, SPDFID_WaveFormatEx, &format, &fragment, site);
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void figures(const std::wstring& token_id) {
    const char* const kind = sizeof(void*) == 8 ? "bridge" : "in-process";
    std::vector<double> setups;
    for (int i = 0; i < 5; ++i) {
        Voice voice = Voice::create();
        const Clock::time_point start = Clock::now();
        const HRESULT result = voice.set_up(token_id);
        setups.push_back(milliseconds_since(start));
        check(SUCCEEDED(result), std::string("SetObjectToken of a new voice: ") + hex(result));
    }
    Voice voice = Voice::create();
    check(SUCCEEDED(voice.set_up(token_id)), "set-up");

    // From Speak to the first audio block; the site then asks for an abort.
    std::vector<double> first_audio;
    std::vector<double> stopped;
    int most_writes = 0;
    for (int i = 0; i < 50; ++i) {
        const ComPtr<FirstAudioSite> first = new FirstAudioSite;
        const Clock::time_point start = Clock::now();
        voice.speak(kSentence, first.Get());
        stopped.push_back(milliseconds_since(start));
        first_audio.push_back(std::chrono::duration<double, std::milli>(first->first_audio - start).count());
        most_writes = std::max(most_writes, first->writes);
    }
    check(most_writes == 1, std::to_string(most_writes) + " audio block(s) written at most, the abort asked after one");
    ComPtr<RecordingSite> site;

    std::wstring text;
    for (int i = 0; i < 40; ++i) text += std::wstring(kSentence) + L" ";
    std::vector<double> factors;
    for (int i = 0; i < 5; ++i) {
        const Clock::time_point start = Clock::now();
        voice.speak(text, {}, site);
        const double seconds = milliseconds_since(start) / 1000;
        factors.push_back(double(site->audio.size()) / 20000 / seconds);
    }
    std::printf("figure %s set-up of a new voice: median %.1f ms (first %.1f ms)\n", kind, median(setups),
                setups.front());
    std::printf("figure %s time to the first audio block: median %.3f ms, min %.3f ms; Speak returned after %.3f ms\n",
                kind, median(first_audio), *std::min_element(first_audio.begin(), first_audio.end()),
                median(stopped));
    std::printf("figure %s throughput: median %.0f times real time (%zu bytes of audio per request)\n", kind,
                median(factors), site->audio.size());
}

// The hosts running, all or those this process has started.
std::vector<DWORD> running_hosts(bool only_children) {
    std::vector<DWORD> hosts;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if ((!only_children || entry.th32ParentProcessID == GetCurrentProcessId()) &&
            _wcsicmp(entry.szExeFile, L"vlsapihost.exe") == 0) {
            hosts.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return hosts;
}

std::vector<DWORD> child_hosts() { return running_hosts(true); }

void kill(DWORD process_id) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_id);
    TerminateProcess(process, 9);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

void host_death(const std::wstring& token_id) {
    Voice voice = Voice::create();
    check(SUCCEEDED(voice.set_up(token_id)), "set-up");
    std::vector<DWORD> hosts = child_hosts();
    check(hosts.size() == 1, std::to_string(hosts.size()) + " host(s) started");
    if (hosts.size() != 1) return;

    kill(hosts.front());
    ComPtr<RecordingSite> site;
    Clock::time_point start = Clock::now();
    HRESULT result = voice.speak(kSentence, {}, site);
    check(FAILED(result) && milliseconds_since(start) < 1000,
          "Speak after the host was killed: " + hex(result) + " in " + std::to_string(milliseconds_since(start)) +
              " ms");

    check(SUCCEEDED(voice.set_up(token_id)), "the next SetObjectToken");
    hosts = child_hosts();
    check(hosts.size() == 1, std::to_string(hosts.size()) + " host(s) after it");
    result = voice.speak(kSentence, {}, site);
    check(SUCCEEDED(result) && site->audio.size() > 20000, "Speak with the new host: " + hex(result));

    // Killed while it speaks: a long request, the host killed after its first blocks.
    std::wstring text;
    for (int i = 0; i < 200; ++i) text += std::wstring(kSentence) + L" ";
    std::thread killer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        start = Clock::now();
        if (!hosts.empty()) kill(hosts.front());
    });
    result = voice.speak(text, {}, site);
    const double after_kill = milliseconds_since(start);
    killer.join();
    check(FAILED(result) && after_kill < 1000,
          "Speak while the host is killed: " + hex(result) + " " + std::to_string(after_kill) + " ms after the kill");
}

DWORD reported_rate(Voice& voice) {
    GUID id{};
    WAVEFORMATEX* format = nullptr;
    if (FAILED(voice.engine->GetOutputFormat(&SPDFID_WaveFormatEx, nullptr, &id, &format))) return 0;
    const DWORD rate = format->nSamplesPerSec;
    CoTaskMemFree(format);
    return rate;
}

// The sample rate written to prefs.ini and signalled as the configurer does.
void reload(const std::wstring& token_id) {
    Voice voice = Voice::create();
    check(SUCCEEDED(voice.set_up(token_id)), "set-up");
    const auto prefs = application_data_folder() / "VelnorSAPI" / "prefs.ini";
    for (const int rate : {11025, 10000}) {
        std::ofstream(prefs, std::ios::binary) << "\xEF\xBB\xBF[General]\r\nsample_rate = " << rate << "\r\n";
        check(signal_engines(), "reload signalled");
        check(reported_rate(voice) == DWORD(rate), "sample rate after the reload: " +
                                                         std::to_string(reported_rate(voice)));
    }
}

}  // namespace
}  // namespace vl::sapi

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3 || (argc == 2) != (std::wstring(argv[1]) == L"hosts")) {
        std::fprintf(stderr, "usage: bridge_check figures|host-death|reload|hold TOKEN, or bridge_check hosts\n");
        return 100;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 100;
    const std::wstring command = argv[1];
    if (command == L"figures") {
        vl::sapi::figures(argv[2]);
    } else if (command == L"host-death") {
        vl::sapi::host_death(argv[2]);
    } else if (command == L"reload") {
        vl::sapi::reload(argv[2]);
    } else if (command == L"hold") {
        vl::sapi::Voice voice = vl::sapi::Voice::create();
        vl::check(SUCCEEDED(voice.set_up(argv[2])), "set-up; holding the voice");
        Sleep(INFINITE);
    } else if (command == L"hosts") {
        std::printf("%zu\n", vl::sapi::running_hosts(false).size());
    } else {
        vl::check(false, "unknown command");
    }
    CoFreeUnusedLibrariesEx(0, 0);
    CoUninitialize();
    return vl::check_failures();
}
