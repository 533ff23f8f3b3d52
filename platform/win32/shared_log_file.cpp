#include "platform/shared_log_file.h"

#include <windows.h>

namespace vl {
namespace {

class WindowsLogFile final : public SharedLogFile {
public:
    explicit WindowsLogFile(HANDLE file) : file_(file) {}
    ~WindowsLogFile() override { CloseHandle(file_); }

    // Opened for appending: every WriteFile lands at the end. The lock on a
    // byte far past any log's end keeps the writers of all processes from
    // interleaving (Wine does not make appends atomic by itself).
    bool append(std::string_view bytes) override {
        OVERLAPPED far_byte{};
        far_byte.OffsetHigh = 0x7FFFFFFF;
        const bool locked = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &far_byte);
        DWORD written = 0;
        const bool whole = WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size();
        if (locked) UnlockFileEx(file_, 0, 1, 0, &far_byte);
        return whole;
    }

private:
    const HANDLE file_;
};

}  // namespace

std::unique_ptr<SharedLogFile> SharedLogFile::open(const std::filesystem::path& path) {
    // Without sharing, the file can be emptied only while no other process has it open.
    const HANDLE alone = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (alone != INVALID_HANDLE_VALUE) CloseHandle(alone);
    const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WindowsLogFile>(file);
}

}  // namespace vl
