#include "platform/named_mutex.h"

#include <windows.h>

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

bool NamedMutex::lock() {
    // An abandoned mutex (its owner died) is owned all the same.
    const DWORD result = WaitForSingleObject(handle_->mutex, INFINITE);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void NamedMutex::unlock() { ReleaseMutex(handle_->mutex); }

NamedMutex::NamedMutex(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
NamedMutex::NamedMutex(NamedMutex&&) noexcept = default;
NamedMutex& NamedMutex::operator=(NamedMutex&&) noexcept = default;
NamedMutex::~NamedMutex() = default;

}  // namespace vl
