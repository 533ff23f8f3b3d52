#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/posix/file_lock.h"
#include "platform/posix/runtime_folder.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

// Byte 0: every open handle holds a shared lock on it. Byte 1: the owner's lock.
constexpr off_t handle_byte = 0;
constexpr off_t owner_byte = 1;

// Joins the holders of the open lock file. False when its last holder removed it
// meanwhile: it then no longer stands for the mutex.
bool join_holders(int fd) {
    struct stat status {};
    return posix::set_byte_lock(fd, F_RDLCK, handle_byte, true) && fstat(fd, &status) == 0 && status.st_nlink > 0;
}

// True when this handle is the only one: no other process or handle holds the mutex.
bool is_last_handle(int fd) { return posix::set_byte_lock(fd, F_WRLCK, handle_byte, false); }

}  // namespace

struct NamedMutex::Handle {
    Handle(int fd, fs::path path) : fd(fd), path(std::move(path)) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    ~Handle() {
        // The last handle removes the file: the mutex then no longer exists. The
        // exclusive lock keeps new openers out until the file is gone.
        if (is_last_handle(fd)) unlink(path.c_str());
        ::close(fd);
    }

    const int fd;
    const fs::path path;
};

std::optional<NamedMutex> NamedMutex::open_existing(std::u16string_view name) {
    const std::optional<fs::path> path = posix::object_file_path(name, ".mutex");
    if (!path) return std::nullopt;
    const int fd = ::open(path->c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    if (!join_holders(fd)) {
        ::close(fd);
        return std::nullopt;
    }
    auto handle = std::make_unique<Handle>(fd, *path);
    // Alone with the file: whoever made it died without closing; the mutex is gone.
    if (is_last_handle(fd)) return std::nullopt;  // the handle's destructor removes the file
    return NamedMutex(std::move(handle));
}

std::optional<NamedMutex> NamedMutex::create(std::u16string_view name) {
    const std::optional<fs::path> path = posix::object_file_path(name, ".mutex");
    if (!path) return std::nullopt;
    // A file removed by its last holder between our open and our lock is made anew.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int fd = ::open(path->c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return std::nullopt;
        if (join_holders(fd)) return NamedMutex(std::make_unique<Handle>(fd, *path));
        ::close(fd);
    }
    return std::nullopt;
}

bool NamedMutex::lock() { return posix::set_byte_lock(handle_->fd, F_WRLCK, owner_byte, true); }

// Lock files have no timed wait: ask again every few milliseconds.
bool NamedMutex::try_lock_for(std::chrono::milliseconds timeout) {
    constexpr std::chrono::milliseconds kRetry{5};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!posix::set_byte_lock(handle_->fd, F_WRLCK, owner_byte, false)) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, kRetry));
    }
    return true;
}

void NamedMutex::wait_until_last_handle(std::chrono::milliseconds timeout) {
    constexpr std::chrono::milliseconds kRetry{2};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!is_last_handle(handle_->fd) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kRetry);
    }
    posix::set_byte_lock(handle_->fd, F_RDLCK, handle_byte, false);  // back to one of the holders
}

void NamedMutex::unlock() { posix::set_byte_lock(handle_->fd, F_UNLCK, owner_byte, false); }

NamedMutex::NamedMutex(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
NamedMutex::NamedMutex(NamedMutex&&) noexcept = default;
NamedMutex& NamedMutex::operator=(NamedMutex&&) noexcept = default;
NamedMutex::~NamedMutex() = default;

}  // namespace vl
