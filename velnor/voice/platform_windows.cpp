#include "velnor/voice/platform.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace velnor {
namespace {

class WindowsMapping final : public MappedFile {
public:
    WindowsMapping(const void* view, size_t size) : view_(view), size_(size) {}
    ~WindowsMapping() override { UnmapViewOfFile(view_); }
    std::span<const uint8_t> bytes() const override { return {static_cast<const uint8_t*>(view_), size_}; }

private:
    const void* view_;
    size_t size_;
};

}  // namespace

std::unique_ptr<MappedFile> map_file(const std::filesystem::path& path, std::string& error) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot open " + path.string() + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    LARGE_INTEGER size{};
    const void* view = nullptr;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && static_cast<uint64_t>(size.QuadPart) < SIZE_MAX / 2) {
        if (const HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr)) {
            view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
            CloseHandle(mapping);  // the view keeps the mapping alive
        }
    }
    CloseHandle(file);
    if (view == nullptr) {
        error = "cannot map " + path.string() + (size.QuadPart == 0 ? ": the file is empty" : "");
        return nullptr;
    }
    return std::make_unique<WindowsMapping>(view, static_cast<size_t>(size.QuadPart));
}

std::filesystem::path module_folder() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&module_folder), &self);
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(self, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
        name.resize(name.size() * 2);
    }
}

std::filesystem::path environment_path(const char* name) {
    const std::wstring wide(name, name + std::strlen(name));
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (length == 0) return {};
    std::vector<wchar_t> value(length);
    const DWORD written = GetEnvironmentVariableW(wide.c_str(), value.data(), length);
    return written > 0 && written < length ? std::filesystem::path(std::wstring(value.data(), written)) : std::filesystem::path();
}

void log_line(std::string_view line) {
    OutputDebugStringA((std::string(line) + "\n").c_str());
}

}  // namespace velnor
