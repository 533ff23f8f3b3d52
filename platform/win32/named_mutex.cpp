#include "platform/named_mutex.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace vl {
namespace {

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
    const HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, wide(name).c_str());
    if (!mutex) return std::nullopt;
    return NamedMutex(std::make_unique<Handle>(mutex));
}

std::optional<NamedMutex> NamedMutex::create(std::u16string_view name) {
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, wide(name).c_str());
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
