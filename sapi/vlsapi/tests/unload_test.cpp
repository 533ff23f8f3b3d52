// Unloading the engine DLL: a stalled peer, a thousand loads and a host that
// frees the library without asking whether it may.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <tlhelp32.h>

#include <chrono>
#include <optional>
#include <thread>

#include "platform/named_mutex.h"
#include "platform/reload_signal.h"
#include "sapi/vlsapi/tests/loaded_engine.h"

namespace vl::sapi {
namespace {

// A program that holds the reload signal and stalls: the watcher waits for it
// in bounded steps, so the host's unload returns within one of them.
TEST_F(SapiTest, APeerStalledHoldingTheSignalDoesNotHangTheUnload) {
    std::optional<NamedMutex> peer = NamedMutex::create(reload_mutex_name);
    ASSERT_TRUE(peer && peer->lock());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the watcher found it and waits
    factory_.Reset();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(engine_.can_unload_now(), S_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200 + 300));
    peer->unlock();
}

size_t thread_count() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

TEST(SapiUnload, LoadUseAndFreeAThousandTimes) {
    write_token(L"Russian", L"Velnor_Male1_Russian", L"419");
    const size_t threads = thread_count();
    DWORD handles_before = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles_before);
    for (int round = 0; round < 1000; ++round) {
        Engine engine = Engine::load();
        ASSERT_NE(engine.module, nullptr) << round;
        {
            ComPtr<IClassFactory> factory;
            ASSERT_EQ(engine.get_class_object(voice_class_id(), IID_IClassFactory,
                                              reinterpret_cast<void**>(factory.GetAddressOf())),
                      S_OK);
            ComPtr<ISpObjectWithToken> voice;
            ASSERT_EQ(factory->CreateInstance(nullptr, IID_ISpObjectWithToken,
                                              reinterpret_cast<void**>(voice.GetAddressOf())),
                      S_OK);
            if (round % 10 == 0) {
                ASSERT_EQ(voice->SetObjectToken(open_token(L"Russian").Get()), S_OK);
            }
        }
        ASSERT_EQ(engine.can_unload_now(), S_OK) << round;
        FreeLibrary(engine.module);
        ASSERT_EQ(GetModuleHandleW(L"vlsapi.dll"), nullptr) << round;
    }
    EXPECT_EQ(thread_count(), threads);
    DWORD handles_after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles_after);
    EXPECT_LE(handles_after, handles_before + 5);
}

TEST(SapiUnload, AHostThatFreesWithoutAskingDoesNotLoseTheCode) {
    Engine engine = Engine::load();
    ASSERT_NE(engine.module, nullptr);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(engine.get_class_object(voice_class_id(), IID_IClassFactory,
                                      reinterpret_cast<void**>(factory.GetAddressOf())),
              S_OK);
    factory.Reset();
    FreeLibrary(engine.module);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));  // the watcher polls on
    EXPECT_NE(GetModuleHandleW(L"vlsapi.dll"), nullptr) << "the running watcher keeps its code loaded";

    Engine again = Engine::load();
    ASSERT_EQ(again.module, engine.module);
    EXPECT_EQ(again.can_unload_now(), S_OK);
    FreeLibrary(again.module);
    EXPECT_EQ(GetModuleHandleW(L"vlsapi.dll"), nullptr);
}

}  // namespace
}  // namespace vl::sapi
