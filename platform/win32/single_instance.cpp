#include "platform/single_instance.h"

#include <windows.h>

#include <string>

namespace vl {

struct SingleInstance::Handle {
    explicit Handle(HANDLE semaphore) : semaphore(semaphore) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { CloseHandle(semaphore); }

    const HANDLE semaphore;
};

std::optional<SingleInstance> SingleInstance::create(std::u16string_view name) {
    const std::wstring wide(name.begin(), name.end());
    const HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 1, wide.c_str());
    if (!semaphore) return std::nullopt;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(semaphore);
        return std::nullopt;
    }
    return SingleInstance(std::make_unique<Handle>(semaphore));
}

SingleInstance::SingleInstance(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
SingleInstance::SingleInstance(SingleInstance&&) noexcept = default;
SingleInstance& SingleInstance::operator=(SingleInstance&&) noexcept = default;
SingleInstance::~SingleInstance() = default;

}  // namespace vl
