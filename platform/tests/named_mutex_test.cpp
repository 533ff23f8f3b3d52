#include "platform/named_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "platform/reload_signal.h"

#if defined(_WIN32)
#include <windows.h>
#include <aclapi.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vl {
namespace {

using namespace std::chrono_literals;

// A name no other test run uses at the same moment.
std::u16string unique_name() {
    const std::string digits = std::to_string(std::random_device{}());
    return u"VelnorTest-" + std::u16string(digits.begin(), digits.end());
}

TEST(NamedMutex, ExistsWhileAnyHandleIsOpen) {
    const std::u16string name = unique_name();
    EXPECT_FALSE(NamedMutex::open_existing(name));
    std::optional<NamedMutex> creator = NamedMutex::create(name);
    ASSERT_TRUE(creator);
    {
        std::optional<NamedMutex> engine = NamedMutex::open_existing(name);
        ASSERT_TRUE(engine);
        EXPECT_TRUE(engine->lock());
        engine->unlock();
    }
    EXPECT_TRUE(NamedMutex::open_existing(name));  // the creator's handle keeps it
    std::optional<NamedMutex> engine = NamedMutex::open_existing(name);
    ASSERT_TRUE(engine);
    creator.reset();
    EXPECT_TRUE(NamedMutex::open_existing(name));  // now the engine's handle keeps it
    engine.reset();
    EXPECT_FALSE(NamedMutex::open_existing(name));
}

TEST(NamedMutex, OneOwnerAtATime) {
    const std::u16string name = unique_name();
    std::optional<NamedMutex> first = NamedMutex::create(name);
    ASSERT_TRUE(first && first->lock());
    std::atomic<bool> second_owns{false};
    std::thread other([&] {
        std::optional<NamedMutex> second = NamedMutex::open_existing(name);
        if (second && second->lock()) {
            second_owns = true;
            second->unlock();
        }
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(second_owns);
    first->unlock();
    other.join();
    EXPECT_TRUE(second_owns);
}

TEST(NamedMutex, SignalReturnsAfterTheEngineThatFoundItFinished) {
    const std::u16string name = unique_name();
    std::atomic<bool> reloaded{false};
    std::thread engine([&] {
        for (int poll = 0; poll < 200; ++poll) {
            if (std::optional<NamedMutex> signal = NamedMutex::open_existing(name)) {
                ASSERT_TRUE(signal->lock());
                std::this_thread::sleep_for(300ms);  // a slow reload
                reloaded = true;
                signal->unlock();
                return;
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    EXPECT_TRUE(signal_engines(name, 150ms));
    EXPECT_TRUE(reloaded);
    engine.join();
    EXPECT_FALSE(NamedMutex::open_existing(name));
}

TEST(NamedMutex, SignalWithoutEnginesWaitsItsGraceOnly) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(signal_engines(unique_name()));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, 250ms);
    EXPECT_LT(elapsed, 1000ms);
}

#if defined(_WIN32)
// Made by an elevated configurer, the mutex must still let the user's engines
// in, at any integrity level: everyone may synchronise on it, and its label is low.
TEST(NamedMutex, EveryProcessOfAnyIntegrityLevelMaySynchroniseOnIt) {
    const std::u16string name = unique_name();
    std::optional<NamedMutex> mutex = NamedMutex::create(name);
    ASSERT_TRUE(mutex);
    const HANDLE handle = OpenMutexW(READ_CONTROL, FALSE, std::wstring(name.begin(), name.end()).c_str());
    ASSERT_NE(handle, nullptr);
    PACL dacl = nullptr, sacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetSecurityInfo(handle, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION,
                              nullptr, nullptr, &dacl, &sacl, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(handle);

    SID_IDENTIFIER_AUTHORITY world_authority = SECURITY_WORLD_SID_AUTHORITY;
    PSID world = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world_authority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &world));
    bool everyone_synchronises = false;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACE_HEADER* ace = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) || ace->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
        auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace);
        const DWORD needed = SYNCHRONIZE | MUTEX_MODIFY_STATE;
        if (EqualSid(&allowed->SidStart, world) && (allowed->Mask & needed) == needed) everyone_synchronises = true;
    }
    FreeSid(world);
    EXPECT_TRUE(everyone_synchronises);

    DWORD label = 0;
    for (DWORD i = 0; sacl && i < sacl->AceCount; ++i) {
        ACE_HEADER* ace = nullptr;
        if (!GetAce(sacl, i, reinterpret_cast<void**>(&ace)) || ace->AceType != SYSTEM_MANDATORY_LABEL_ACE_TYPE)
            continue;
        const PSID sid = &reinterpret_cast<SYSTEM_MANDATORY_LABEL_ACE*>(ace)->SidStart;
        label = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1);
    }
    EXPECT_EQ(label, static_cast<DWORD>(SECURITY_MANDATORY_LOW_RID));
    LocalFree(descriptor);

    // A handle with only the rights to synchronise owns and releases it.
    std::optional<NamedMutex> engine = NamedMutex::open_existing(name);
    ASSERT_TRUE(engine);
    EXPECT_TRUE(engine->lock());
    engine->unlock();
}
#else
TEST(NamedMutex, EndsWithAHolderThatDied) {
    const std::u16string name = unique_name();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::optional<NamedMutex> mutex = NamedMutex::create(name);
        _exit(mutex && mutex->lock() ? 0 : 1);  // dies owning it, without closing
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(NamedMutex::open_existing(name));
    std::optional<NamedMutex> again = NamedMutex::create(name);  // a new signal works as before
    ASSERT_TRUE(again);
    EXPECT_TRUE(NamedMutex::open_existing(name));
}
#endif

}  // namespace
}  // namespace vl
