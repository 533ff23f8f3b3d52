// The voice object through its COM interfaces, as the speech runtime uses it:
// its identity, its token, its output format and speaking into a site.
#include <gtest/gtest.h>
#include <sperror.h>
#include <wrl/client.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/app_data.h"
#include "platform/reload_signal.h"
#include "sapi/testkit/recording_site.h"
#include "sapi/vlsapi/tests/loaded_engine.h"
#include "velnor/include/velnor_api.h"

namespace vl::sapi {
namespace {

ULONG reference_count(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

std::filesystem::path data_folder() { return application_data_folder() / "VelnorSAPI"; }

TEST_F(SapiTest, BothInterfacePointersShareOneObject) {
    ComPtr<ISpTTSEngine> voice = create_voice();
    ASSERT_TRUE(voice);
    ComPtr<ISpObjectWithToken> second = with_token(voice);
    const auto first_address = reinterpret_cast<uintptr_t>(voice.Get());
    EXPECT_EQ(reinterpret_cast<uintptr_t>(second.Get()), first_address + sizeof(void*));
    // Each interface pointer has its marker word five fields after it.
    const auto word_after = [](const void* pointer) {
        uint32_t word = 0;
        std::memcpy(&word, static_cast<const unsigned char*>(pointer) + 5 * sizeof(void*), sizeof word);
        return word;
    };
    EXPECT_EQ(word_after(voice.Get()), 0x154945EFu);
    EXPECT_EQ(word_after(second.Get()), 0x04AFBAFFu);

    ComPtr<ISpTTSEngine> through_second;
    EXPECT_EQ(second.As(&through_second), S_OK);
    EXPECT_EQ(through_second.Get(), voice.Get());
    ComPtr<IUnknown> unknown_from_second;
    EXPECT_EQ(second.As(&unknown_from_second), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown_from_second.Get()), static_cast<void*>(voice.Get()));
    ComPtr<ISpObjectWithToken> second_again;
    EXPECT_EQ(through_second.As(&second_again), S_OK);
    EXPECT_EQ(second_again.Get(), second.Get());

    // voice, through_second, unknown_from_second: 3 on the first pointer; second, second_again: 2.
    EXPECT_EQ(voice->AddRef(), 6u);
    EXPECT_EQ(second->AddRef(), 7u);
    EXPECT_EQ(voice->Release(), 6u);
    EXPECT_EQ(second->Release(), 5u);

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(second->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(voice->QueryInterface(IID_ISpObjectWithToken, nullptr), E_POINTER);
}

TEST_F(SapiTest, OutputFormatFollowsTheSampleRateSetting) {
    ComPtr<ISpTTSEngine> voice = russian_voice();
    GUID format_id{};
    WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(1);
    EXPECT_EQ(voice->GetOutputFormat(nullptr, nullptr, nullptr, &format), E_INVALIDARG);
    EXPECT_EQ(voice->GetOutputFormat(nullptr, nullptr, &format_id, nullptr), E_INVALIDARG);

    const auto reported_rate = [&]() -> DWORD {
        EXPECT_EQ(voice->GetOutputFormat(&SPDFID_WaveFormatEx, nullptr, &format_id, &format), S_OK);
        EXPECT_EQ(format_id, SPDFID_WaveFormatEx);
        const WAVEFORMATEX copy = *format;
        CoTaskMemFree(format);
        EXPECT_EQ(copy.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(copy.nChannels, 1);
        EXPECT_EQ(copy.wBitsPerSample, 16);
        EXPECT_EQ(copy.nBlockAlign, 2);
        EXPECT_EQ(copy.nAvgBytesPerSec, copy.nSamplesPerSec * 2);
        EXPECT_EQ(copy.cbSize, 0);
        return copy.nSamplesPerSec;
    };
    // One signal is enough: the watcher polls more often than the signal lasts.
    const auto rate_after_reload = [&](int rate) -> DWORD {
        std::ofstream(data_folder() / "prefs.ini", std::ios::binary)
            << "\xEF\xBB\xBF[General]\r\nsample_rate = " << rate << "\r\n";
        EXPECT_TRUE(signal_engines());
        return reported_rate();
    };
    EXPECT_EQ(rate_after_reload(11025), 11025u);
    EXPECT_EQ(rate_after_reload(10000), 10000u);
}

TEST_F(SapiTest, EachVoiceTokenSetsItsVoiceAndLanguageUp) {
    std::error_code ignored;
    std::filesystem::remove_all(data_folder(), ignored);
    const std::wstring names[] = {L"Velnor_Male1_Russian",   L"Velnor_Female1_Russian",   L"Velnor_Male2_Russian",
                                  L"Velnor_Female2_Russian", L"Velnor_Male1_Ukrainian", L"Velnor_Female1_Ukrainian",
                                  L"Velnor_Male2_Ukrainian", L"Velnor_Female2_Ukrainian"};
    ComPtr<ISpTTSEngine> voice = create_voice();
    ComPtr<ISpObjectWithToken> object = with_token(voice);
    for (int i = 0; i < 8; ++i) {
        const bool russian = i < 4;
        write_token(names[i], names[i], russian ? L"419" : L"422");
        ComPtr<ISpObjectToken> token = open_token(names[i]);
        ASSERT_EQ(object->SetObjectToken(token.Get()), S_OK) << i;
        EXPECT_EQ(synth_current_voice(), i % 4) << i;
        EXPECT_TRUE(std::filesystem::is_directory(data_folder() / "dicts" / (russian ? "Russian" : "Ukrainian"))) << i;
        EXPECT_TRUE(std::filesystem::is_regular_file(data_folder() / "log.txt"));
        EXPECT_TRUE(std::filesystem::is_regular_file(data_folder() / "prefs.ini"));
        EXPECT_TRUE(std::filesystem::is_regular_file(data_folder() / "dicts" / (russian ? "Russian" : "Ukrainian") /
                                                     "pronunc.dic"));

        ComPtr<ISpObjectToken> returned;
        EXPECT_EQ(object->GetObjectToken(returned.GetAddressOf()), S_OK);
        EXPECT_EQ(returned.Get(), token.Get());
    }
    write_token(L"OtherCase", L"velnor_female2_russian", L"419");
    ASSERT_EQ(object->SetObjectToken(open_token(L"OtherCase").Get()), S_OK);
    EXPECT_EQ(synth_current_voice(), 0) << "names are compared exactly";
}

TEST_F(SapiTest, TokensAreKeptReleasedAndRefused) {
    ComPtr<ISpTTSEngine> voice = create_voice();
    ComPtr<ISpObjectWithToken> object = with_token(voice);
    ISpObjectToken* none = reinterpret_cast<ISpObjectToken*>(1);
    EXPECT_EQ(object->GetObjectToken(&none), E_FAIL);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(object->GetObjectToken(nullptr), E_POINTER);
    EXPECT_EQ(object->SetObjectToken(nullptr), E_INVALIDARG);

    write_token(L"First", L"Velnor_Male2_Russian", L"419");
    write_token(L"Second", L"Velnor_Female1_Ukrainian", L"422");
    ComPtr<ISpObjectToken> first = open_token(L"First");
    ComPtr<ISpObjectToken> second = open_token(L"Second");
    ASSERT_EQ(object->SetObjectToken(first.Get()), S_OK);
    EXPECT_EQ(reference_count(first.Get()), 2u);
    ASSERT_EQ(object->SetObjectToken(second.Get()), S_OK);
    EXPECT_EQ(reference_count(first.Get()), 1u) << "the token set before is released";
    EXPECT_EQ(reference_count(second.Get()), 2u);

    write_token(L"NoAttributes", L"Velnor_Male1_Russian", nullptr);
    ComPtr<ISpObjectToken> bare = open_token(L"NoAttributes");
    EXPECT_EQ(object->SetObjectToken(bare.Get()), SPERR_NOT_FOUND);
    ComPtr<ISpObjectToken> returned;
    EXPECT_EQ(object->GetObjectToken(returned.GetAddressOf()), S_OK);
    EXPECT_EQ(returned.Get(), bare.Get()) << "a token that failed set-up stays stored";
    returned.Reset();
    voice.Reset();
    object.Reset();
    EXPECT_EQ(reference_count(bare.Get()), 1u) << "the object releases its token";
    EXPECT_EQ(reference_count(second.Get()), 1u);
}

struct Fragment {
    SPVACTIONS action;
    std::wstring text;
    long rate = 0;
};

// Speaks the fragments into a new recording site.
ComPtr<RecordingSite> speak(ISpTTSEngine& voice, const std::vector<Fragment>& fragments, SiteOptions options = {}) {
    std::vector<SPVTEXTFRAG> records(fragments.size());
    for (size_t i = 0; i < fragments.size(); ++i) {
        records[i].State.eAction = fragments[i].action;
        records[i].State.Volume = 100;
        records[i].State.RateAdj = fragments[i].rate;
        records[i].pTextStart = fragments[i].text.c_str();
        records[i].ulTextLen = static_cast<ULONG>(fragments[i].text.size());
        records[i].pNext = i + 1 < records.size() ? &records[i + 1] : nullptr;
    }
    ComPtr<RecordingSite> site = new RecordingSite(options);
    EXPECT_EQ(voice.Speak(0, SPDFID_WaveFormatEx, nullptr, records.empty() ? nullptr : records.data(), site.Get()),
              S_OK);
    return site;
}

const std::wstring kSentence = L"Съешь же ещё этих мягких французских булок, да выпей чаю.";

TEST_F(SapiTest, SpeakSendsEventsAtTheirAudio) {
    ComPtr<ISpTTSEngine> voice = russian_voice();
    ComPtr<RecordingSite> site =
        speak(*voice.Get(), {{SPVA_Bookmark, L"12"}, {SPVA_Speak, L"Привет"}, {SPVA_Bookmark, L"$1F"},
                             {SPVA_SpellOut, L"АБ"}, {SPVA_Silence, L""}, {SPVA_Speak, L"мир"}});
    std::vector<SPEVENTENUM> ids;
    for (const auto& recorded : site->events) ids.push_back(recorded.event.eEventId);
    EXPECT_EQ(ids, (std::vector<SPEVENTENUM>{SPEI_TTS_BOOKMARK, SPEI_SENTENCE_BOUNDARY, SPEI_WORD_BOUNDARY,
                                            SPEI_TTS_BOOKMARK, SPEI_WORD_BOUNDARY, SPEI_WORD_BOUNDARY}));
    ASSERT_EQ(site->events.size(), 6u);
    const auto& first = site->events[0];
    EXPECT_EQ(first.event.elParamType, SPET_LPARAM_IS_STRING);
    EXPECT_EQ(first.event.wParam, 12u);
    EXPECT_EQ(first.text, L"12");
    EXPECT_EQ(first.event.ullAudioStreamOffset, 0u);
    const auto& second = site->events[3];
    EXPECT_EQ(second.event.wParam, 0x1Fu);
    EXPECT_EQ(second.text, L"$1F");
    EXPECT_GT(second.event.ullAudioStreamOffset, 2000u) << "after Привет";
    EXPECT_EQ(second.event.ullAudioStreamOffset, second.audio_bytes_before);
    ULONGLONG previous = 0;
    for (const auto& recorded : site->events) {
        EXPECT_EQ(recorded.event.ulStreamNum, 0u);
        EXPECT_GE(recorded.event.ullAudioStreamOffset, previous);
        previous = recorded.event.ullAudioStreamOffset;
    }
    EXPECT_GT(site->audio.size(), 4000u);
    EXPECT_GT(site->audio_writes, 0u);

    ComPtr<RecordingSite> only_bookmark = speak(*voice.Get(), {{SPVA_Bookmark, L"7"}});
    EXPECT_EQ(only_bookmark->events.size(), 1u);
    EXPECT_TRUE(only_bookmark->audio.empty());
    EXPECT_EQ(voice->Speak(0, SPDFID_WaveFormatEx, nullptr, nullptr, nullptr), E_INVALIDARG);
}

TEST_F(SapiTest, AbortAndStoppedOutputEndTheRequest) {
    ComPtr<ISpTTSEngine> voice = russian_voice();
    const std::vector<Fragment> text = {{SPVA_Speak, kSentence}};
    ComPtr<RecordingSite> whole = speak(*voice.Get(), text);
    ASSERT_GT(whole->audio_writes, 4u);

    SiteOptions abort;
    abort.abort_after = 1;
    ComPtr<RecordingSite> aborted = speak(*voice.Get(), text, abort);
    EXPECT_EQ(aborted->audio_writes, 1u);

    SiteOptions stop;
    stop.stop_after = 1;
    ComPtr<RecordingSite> stopped = speak(*voice.Get(), text, stop);
    EXPECT_EQ(stopped->audio_writes, 1u);
    EXPECT_EQ(stopped->writes_after_stop, 1u) << "the engine stops at the first refused write";

    stop.stop_takes_part = true;
    ComPtr<RecordingSite> cut_short = speak(*voice.Get(), text, stop);
    EXPECT_EQ(cut_short->writes_after_stop, 1u) << "a write cut short by stopped output ends the request too";
}

// Two voice objects, each with its own token and site, speaking on two
// threads at once: each sounds exactly as it does alone.
TEST_F(SapiTest, TwoVoicesSpeakingAtOnceEachSoundAsAlone) {
    std::filesystem::create_directories(data_folder());
    std::ofstream(data_folder() / "prefs.ini", std::ios::binary)
        << "\xEF\xBB\xBF[General]\r\nsilence_at_begin = 10\r\n";  // more time between a request's steps
    write_token(L"First", L"Velnor_Male1_Russian", L"419");
    write_token(L"Second", L"Velnor_Female2_Russian", L"419");
    ComPtr<ISpTTSEngine> first = create_voice();
    ComPtr<ISpTTSEngine> second = create_voice();
    ASSERT_EQ(with_token(first)->SetObjectToken(open_token(L"First").Get()), S_OK);
    ASSERT_EQ(with_token(second)->SetObjectToken(open_token(L"Second").Get()), S_OK);
    SiteOptions fast;
    fast.rate = 6;
    fast.volume = 60;
    const std::vector<std::vector<Fragment>> texts = {{{SPVA_Speak, kSentence}}, {{SPVA_Speak, L"да"}}};
    const auto alone = [&](ISpTTSEngine& voice, const SiteOptions& options) {
        std::vector<std::string> audio;
        for (const auto& text : texts) audio.push_back(speak(voice, text, options)->audio);
        return audio;
    };
    const std::vector<std::string> first_alone = alone(*first.Get(), fast);
    const std::vector<std::string> second_alone = alone(*second.Get(), {});
    ASSERT_NE(first_alone[0], second_alone[0]);

    std::atomic<int> differing{0};
    const auto rounds = [&](ISpTTSEngine* voice, const SiteOptions& options, const std::vector<std::string>* expected,
                            size_t offset) {
        for (size_t round = 0; round < 10; ++round) {
            const size_t text = (round + offset) % texts.size();
            if (speak(*voice, texts[text], options)->audio != (*expected)[text]) ++differing;
        }
    };
    std::thread one(rounds, first.Get(), fast, &first_alone, 0);
    std::thread two(rounds, second.Get(), SiteOptions{}, &second_alone, 1);
    one.join();
    two.join();
    EXPECT_EQ(differing, 0);
    std::filesystem::remove(data_folder() / "prefs.ini");
}
TEST_F(SapiTest, RateMarkupShortensTheSpeech) {
    ComPtr<ISpTTSEngine> voice = russian_voice();
    SiteOptions site_rate;
    site_rate.rate = 0;
    const size_t slow = speak(*voice.Get(), {{SPVA_Speak, kSentence, -5}}, site_rate)->audio.size();
    const size_t fast = speak(*voice.Get(), {{SPVA_Speak, kSentence, 10}}, site_rate)->audio.size();
    EXPECT_LT(fast * 2, slow);
}

// The last line of the log: the prepared text of the last request.
std::string last_logged_line() {
    std::ifstream log(data_folder() / "log.txt", std::ios::binary);
    std::string line, last;
    while (std::getline(log, line)) last = line;
    if (!last.empty() && last.back() == '\r') last.pop_back();
    return last;
}

TEST_F(SapiTest, SwitchingVoicesKeepsTheLetterNamesAndTheUserDictionary) {
    std::filesystem::create_directories(data_folder() / "dicts" / "Russian");
    std::ofstream(data_folder() / "dicts" / "Russian" / "dict.dic", std::ios::binary)
        << "\xEF\xBB\xBF\xD0\xBA\xD0\xBE\xD1\x82 \xD0\xBF\xD1\x91\xD1\x81\r\n";  // кот пёс
    ComPtr<ISpTTSEngine> old_voice = russian_voice();
    ComPtr<ISpTTSEngine> new_voice = russian_voice();
    old_voice.Reset();  // a screen reader drops the voice it no longer speaks with
    speak(*new_voice.Get(), {{SPVA_Speak, L"кот"}});
    EXPECT_EQ(last_logged_line(), "\xD0\xBF\xD1\x91\xD1\x81");
    speak(*new_voice.Get(), {{SPVA_Speak, L"б"}});
    EXPECT_EQ(last_logged_line(), "\xD0\xB1\xD1\x8D");  // бэ
    std::filesystem::remove(data_folder() / "dicts" / "Russian" / "dict.dic");
}

TEST_F(SapiTest, TheLastVoiceObjectClosesTheSharedLog) {
    ComPtr<ISpTTSEngine> first = russian_voice();
    ComPtr<ISpTTSEngine> second = russian_voice();
    const std::filesystem::path log = data_folder() / "log.txt";
    first.Reset();
    EXPECT_FALSE(DeleteFileW(log.c_str())) << "the other voice object still logs";
    second.Reset();
    EXPECT_TRUE(DeleteFileW(log.c_str()));
}

}  // namespace
}  // namespace vl::sapi
