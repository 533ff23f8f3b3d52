#include "platform/named_mutex.h"

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <string>

namespace vl {
namespace {

// What a handle needs to own and release the mutex, and nothing more, so that
// a process that may not change the mutex's security still opens it.
constexpr DWORD kAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

// Every process of the session may synchronise on the mutex, whoever made it
// (an elevated configurer, an engine in a low-integrity host): the system and
// administrators have full access, everyone else kAccess, and the low integrity
// label lets low-integrity processes in.
constexpr wchar_t kSecurity[] = L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;WD)S:(ML;;NW;;;LW)";
static_assert(kAccess == 0x00100001);

std::wstring wide(std::u16string_view name) { return std::wstring(name.begin(), name.end()); }

}  // namespace

struct NamedMutex::Handle {
    explicit Handle(HANDLE mutex) : mutex(mutex) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { CloseHandle(mutex); }

    const HANDLE mutex;
};

std::optional<NamedMutex> NamedMutex::open_existing(std::u16string_view name) {
    const HANDLE mutex = OpenMutexW(kAccess, FALSE, wide(name).c_str());
    if (!mutex) return std::nullopt;
    return NamedMutex(std::make_unique<Handle>(mutex));
}

std::optional<NamedMutex> NamedMutex::create(std::u16string_view name) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    // Should the descriptor not be made, the mutex gets the default security.
    ConvertStringSecurityDescriptorToSecurityDescriptorW(kSecurity, SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const HANDLE mutex = CreateMutexExW(descriptor ? &attributes : nullptr, wide(name).c_str(), 0, kAccess);
    LocalFree(descriptor);
    if (!mutex) return std::nullopt;
    return NamedMutex(std::make_unique<Handle>(mutex));
}

namespace {

// An abandoned mutex (its owner died) is owned all the same.
bool wait_to_own(HANDLE mutex, DWORD milliseconds) {
    const DWORD result = WaitForSingleObject(mutex, milliseconds);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

}  // namespace

bool NamedMutex::lock() { return wait_to_own(handle_->mutex, INFINITE); }

bool NamedMutex::try_lock_for(std::chrono::milliseconds timeout) {
    const auto milliseconds = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INFINITE - 1);
    return wait_to_own(handle_->mutex, static_cast<DWORD>(milliseconds));
}

void NamedMutex::wait_until_last_handle(std::chrono::milliseconds) {}

void NamedMutex::unlock() { ReleaseMutex(handle_->mutex); }

NamedMutex::NamedMutex(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
NamedMutex::NamedMutex(NamedMutex&&) noexcept = default;
NamedMutex& NamedMutex::operator=(NamedMutex&&) noexcept = default;
NamedMutex::~NamedMutex() = default;

}  // namespace vl
