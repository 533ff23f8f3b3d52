// bridge_check: the engine of whichever bitness this program is, created
// through its class registration and set up from a registry token, timed and
// put through a host's death. Built 32-bit it drives vlsapi.dll in process;
// built 64-bit, vlsapi64.dll and its host. Prints one line per check or figure;
// the exit status is the number of failed checks.
//
//   bridge_check figures TOKEN       set-up, time to first audio, throughput
//   bridge_check host-death TOKEN    (64-bit) after its host is killed the voice,
//                                    driven as a runtime does, speaks through a new one
//   bridge_check parity TOKEN        with a site slower than the engine: two skips
//                                    in a row, events after an abort and after
//                                    "audio stopped", a volume change's delay, memory
//   bridge_check fake-host TOKEN DLL (64-bit) a copy of vlsapi64.dll beside this
//                                    program named vlsapihost.exe: a host of
//                                    another version and one that sends an event
//                                    the engine never sends fail their calls
//                                    clearly, and the registered voice speaks on
//   bridge_check reload TOKEN        a settings reload reaches the engine
//   bridge_check hold TOKEN          sets a voice up and waits to be killed
//   bridge_check hosts               prints how many hosts run
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <fstream>

#include "bridge/tests/fake_host.h"
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

// A site that takes audio as fast as it comes and keeps none of it; it notes
// when the first audio arrives and, when told, then asks for an abort.
class FastSite final : public ComObject<WithBases<ISpTTSEngineSite, ISpEventSink>> {
public:
    explicit FastSite(bool abort_after_first) : abort_after_first_(abort_after_first) {}

    Clock::time_point first_audio{};
    int writes = 0;
    size_t taken = 0;

    HRESULT STDMETHODCALLTYPE AddEvents(const SPEVENT*, ULONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetEventInterest(ULONGLONG* interest) override {
        *interest = abort_after_first_ ? 0 : ~0ull;
        return S_OK;
    }
    DWORD STDMETHODCALLTYPE GetActions() override { return abort_after_first_ && writes > 0 ? SPVES_ABORT : 0; }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG count, ULONG* written) override {
        taken += count;
        if (written == nullptr) return S_OK;  // leading silence
        if (writes++ == 0) first_audio = Clock::now();
        *written = count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRate(long* rate) override { return *rate = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT* volume) override { return *volume = 100, S_OK; }
    HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE*, long*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE CompleteSkip(long) override { return S_OK; }

private:
    ~FastSite() override = default;
    const bool abort_after_first_;
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
        const ComPtr<FastSite> first = new FastSite(true);
        const Clock::time_point start = Clock::now();
        voice.speak(kSentence, first.Get());
        stopped.push_back(milliseconds_since(start));
        first_audio.push_back(std::chrono::duration<double, std::milli>(first->first_audio - start).count());
        most_writes = std::max(most_writes, first->writes);
    }
    check(most_writes == 1, std::to_string(most_writes) + " audio block(s) written at most, the abort asked after one");

    // A book of 21 million characters starts as soon as a sentence does.
    std::wstring book;
    while (book.size() < 21'000'000) book += std::wstring(kSentence) + L" ";
    std::vector<double> book_first_audio;
    for (int i = 0; i < 15; ++i) {
        const ComPtr<FastSite> first = new FastSite(true);
        const Clock::time_point start = Clock::now();
        const HRESULT result = voice.speak(book, first.Get());
        check(SUCCEEDED(result) && first->writes == 1,
              "a request of " + std::to_string(book.size()) + " characters speaks: " + hex(result));
        book_first_audio.push_back(std::chrono::duration<double, std::milli>(first->first_audio - start).count());
    }
    book = {};
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
    std::printf("figure %s time to the first audio block of 21 million characters: median %.3f ms\n", kind,
                median(book_first_audio));
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

DWORD reported_rate(Voice& voice);

void host_death(const std::wstring& token_id) {
    Voice voice = Voice::create();
    check(SUCCEEDED(voice.set_up(token_id)), "set-up");
    std::vector<DWORD> hosts = child_hosts();
    check(hosts.size() == 1, std::to_string(hosts.size()) + " host(s) started");
    if (hosts.size() != 1) return;

    // Driven as a runtime drives a voice set up long ago: format, then Speak.
    kill(hosts.front());
    check(reported_rate(voice) == 10000, "GetOutputFormat after the host was killed");
    ComPtr<RecordingSite> site;
    HRESULT result = voice.speak(kSentence, {}, site);
    check(SUCCEEDED(result) && site->audio.size() > 20000, "Speak after the host was killed: " + hex(result));
    hosts = child_hosts();
    check(hosts.size() == 1, std::to_string(hosts.size()) + " host(s) after it");
    Clock::time_point start;

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
    result = voice.speak(kSentence, {}, site);
    check(SUCCEEDED(result) && site->audio.size() > 20000, "the next Speak: " + hex(result));
}

// A site that takes audio at four times playback speed and, once it holds
// kAskAt bytes, asks one thing of the engine: two sentence skips in a row, an
// abort, "audio stopped", or the volume 0. It notes what came after.
class SlowSite final : public ComObject<WithBases<ISpTTSEngineSite, ISpEventSink>> {
public:
    enum class Ask { skips, abort, stop, silence };
    static constexpr size_t kAskAt = 8000;

    explicit SlowSite(Ask ask) : ask_(ask) {}

    int skips_done = 0;
    size_t bytes_while_skipping = 0;  // audio taken while a skip was pending
    size_t bytes_after_end = 0;       // audio taken after the engine was told of an abort or "audio stopped"
    int events_after_end = 0;
    size_t last_sound_after_ask = 0;  // where the last non-zero sample ended, counted from the ask

    HRESULT STDMETHODCALLTYPE AddEvents(const SPEVENT*, ULONG count) override {
        if (ended_) events_after_end += static_cast<int>(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetEventInterest(ULONGLONG* interest) override {
        *interest = ~0ull;
        return S_OK;
    }
    DWORD STDMETHODCALLTYPE GetActions() override {
        if (!asked()) return 0;
        switch (ask_) {
            case Ask::skips: return skips_done < 2 ? SPVES_SKIP : 0;
            case Ask::abort: return ended_ = true, SPVES_ABORT;
            case Ask::stop: return 0;
            case Ask::silence: return volume_read_ ? 0 : SPVES_VOLUME;
        }
        return 0;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* bytes, ULONG count, ULONG* written) override {
        Sleep(count * 1000 / 20000 / 4);
        if (ended_) bytes_after_end += count;
        if (asked() && ask_ == Ask::stop) {
            ended_ = true;
            return SP_AUDIO_STOPPED_CODE;
        }
        if (asked()) {
            if (ask_ == Ask::skips && skips_done < 2) bytes_while_skipping += count;
            const auto* samples = static_cast<const int16_t*>(bytes);
            for (ULONG i = 0; i < count / 2; ++i) {
                if (samples[i] != 0) last_sound_after_ask = taken_ + 2 * (i + 1) - kAskAt;
            }
        }
        taken_ += count;
        if (written != nullptr) *written = count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRate(long* rate) override { return *rate = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT* volume) override {
        volume_read_ = asked();
        return *volume = asked() ? 0 : 100, S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE* type, long* count) override {
        *type = SPVST_SENTENCE;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CompleteSkip(long) override {
        ++skips_done;
        return S_OK;
    }

private:
    ~SlowSite() override = default;
    bool asked() const { return taken_ >= kAskAt; }

    const Ask ask_;
    size_t taken_ = 0;
    bool ended_ = false;
    bool volume_read_ = false;
};

size_t committed_bytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// What a client notices, the same in process and through the bridge: the
// "parity" lines must match between the two; the volume's delay is a figure.
void parity(const std::wstring& token_id) {
    const char* const kind = sizeof(void*) == 8 ? "bridge" : "in-process";
    Voice voice = Voice::create();
    check(SUCCEEDED(voice.set_up(token_id)), "set-up");
    std::wstring text;
    for (int i = 0; i < 6; ++i) text += std::wstring(kSentence) + L" ";

    const auto run = [&](SlowSite::Ask ask) {
        ComPtr<SlowSite> site = new SlowSite(ask);
        const HRESULT result = voice.speak(text, site.Get());
        check(SUCCEEDED(result), "Speak to a slow site: " + hex(result));
        return site;
    };
    const ComPtr<SlowSite> skips = run(SlowSite::Ask::skips);
    std::printf("parity two skips in a row: %d completed, %zu bytes of audio while one was pending\n",
                skips->skips_done, skips->bytes_while_skipping);
    const ComPtr<SlowSite> aborted = run(SlowSite::Ask::abort);
    std::printf("parity after an abort: %zu bytes of audio, %d events\n", aborted->bytes_after_end,
                aborted->events_after_end);
    const ComPtr<SlowSite> stopped = run(SlowSite::Ask::stop);
    std::printf("parity after \"audio stopped\": %zu bytes of audio, %d events\n", stopped->bytes_after_end,
                stopped->events_after_end);
    const ComPtr<SlowSite> silenced = run(SlowSite::Ask::silence);
    std::printf("figure %s volume 0 heard: the last sound ended %zu bytes after the change\n", kind,
                silenced->last_sound_after_ask);

    // An hour of audio to a site that keeps none: the client's memory stays put.
    std::wstring hour;
    for (int i = 0; i < 1000; ++i) hour += std::wstring(kSentence) + L" ";
    const ComPtr<FastSite> fast = new FastSite(false);
    voice.speak(kSentence, fast.Get());
    const size_t before = committed_bytes();
    voice.speak(hour, fast.Get());
    const double grown = (double(committed_bytes()) - double(before)) / (1 << 20);
    std::printf("figure %s memory over a request of %.0f minutes: %.1f MB before, %+.1f MB after\n", kind,
                double(fast->taken) / 20000 / 60, double(before) / (1 << 20), grown);
    check(before > 0 && grown < 8, "the client's memory grew by " + std::to_string(grown) + " MB over a long request");
}

// Voices of the vlsapi64.dll copy beside the fake host, each started as told.
void fake_host(const std::wstring& token_id, const std::wstring& dll_path) {
    Voice registered = Voice::create();
    check(SUCCEEDED(registered.set_up(token_id)), "set-up of the registered voice");
    const HMODULE dll = LoadLibraryW(dll_path.c_str());
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto get_class_object =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
    check(get_class_object != nullptr, "the copy of the DLL loads");
    if (get_class_object == nullptr) return;
    ComPtr<IClassFactory> factory;
    get_class_object(voice_class_id(), IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()));
    const auto fake_voice = [&](const wchar_t* behaviour) {
        SetEnvironmentVariableW(bridge::kFakeHostVariable, behaviour);
        Voice voice;
        factory->CreateInstance(nullptr, IID_ISpTTSEngine, reinterpret_cast<void**>(voice.engine.GetAddressOf()));
        voice.engine.As(&voice.with_token);
        return voice;
    };

    Voice other = fake_voice(L"other-version");
    HRESULT result = other.set_up(token_id);
    check(result == HRESULT_FROM_WIN32(ERROR_REVISION_MISMATCH), "a host of another version: " + hex(result));

    Voice faulty = fake_voice(L"bad-event");
    check(SUCCEEDED(faulty.set_up(token_id)), "set-up through the faulty host");
    ComPtr<RecordingSite> site;
    result = faulty.speak(kSentence, {}, site);
    check(result == HRESULT_FROM_WIN32(ERROR_INVALID_DATA) && site->events.empty(),
          "a host that sends an event the engine never sends: " + hex(result) + ", " +
              std::to_string(site->events.size()) + " event(s) passed on");
    SetEnvironmentVariableW(bridge::kFakeHostVariable, nullptr);

    result = registered.speak(kSentence, {}, site);
    check(SUCCEEDED(result) && site->audio.size() > 20000, "the registered voice speaks on: " + hex(result));
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
    if (argc == 2 && std::wstring(argv[1]).starts_with(L"\\\\.\\pipe\\")) {
        return vl::bridge::serve_as_fake_host(argv[1]);  // started by vlsapi64.dll as its host
    }
    const bool fake = argc == 4 && std::wstring(argv[1]) == L"fake-host";
    if (!fake && (argc < 2 || argc > 3 || (argc == 2) != (std::wstring(argv[1]) == L"hosts"))) {
        std::fprintf(stderr,
                     "usage: bridge_check figures|host-death|parity|reload|hold TOKEN, bridge_check fake-host TOKEN "
                     "DLL, or bridge_check hosts\n");
        return 100;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 100;
    const std::wstring command = argv[1];
    if (command == L"figures") {
        vl::sapi::figures(argv[2]);
    } else if (command == L"fake-host") {
        vl::sapi::fake_host(argv[2], argv[3]);
    } else if (command == L"parity") {
        vl::sapi::parity(argv[2]);
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
