#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/utf.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

// Byte 0: every open handle holds a shared lock on it. Byte 1: the owner's lock.
constexpr off_t handle_byte = 0;
constexpr off_t owner_byte = 1;

bool set_lock(int fd, short type, off_t byte, bool wait) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    int result;
    do result = fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    while (result == -1 && errno == EINTR);
    return result == 0;
}

// $XDG_RUNTIME_DIR, else a private folder of this user under the temporary folder.
std::optional<fs::path> runtime_folder() {
    if (const char* folder = std::getenv("XDG_RUNTIME_DIR"); folder && *folder) return fs::path(folder);
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error) / ("velnor-" + std::to_string(getuid()));
    if (error) return std::nullopt;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != getuid())
        return std::nullopt;
    return folder;
}

std::optional<fs::path> lock_file_path(std::u16string_view name) {
    const std::optional<fs::path> folder = runtime_folder();
    if (!folder) return std::nullopt;
    std::string file = utf16_to_utf8(name);
    for (char& c : file)
        if (c == '/' || c == '\0') c = '_';
    return *folder / (file + ".mutex");
}

// Joins the holders of the open lock file. False when its last holder removed it
// meanwhile: it then no longer stands for the mutex.
bool join_holders(int fd) {
    struct stat status {};
    return set_lock(fd, F_RDLCK, handle_byte, true) && fstat(fd, &status) == 0 && status.st_nlink > 0;
}

// True when this handle is the only one: no other process or handle holds the mutex.
bool is_last_handle(int fd) { return set_lock(fd, F_WRLCK, handle_byte, false); }

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
    const std::optional<fs::path> path = lock_file_path(name);
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
    const std::optional<fs::path> path = lock_file_path(name);
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

bool NamedMutex::lock() { return set_lock(handle_->fd, F_WRLCK, owner_byte, true); }

void NamedMutex::unlock() { set_lock(handle_->fd, F_UNLCK, owner_byte, false); }

NamedMutex::NamedMutex(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
NamedMutex::NamedMutex(NamedMutex&&) noexcept = default;
NamedMutex& NamedMutex::operator=(NamedMutex&&) noexcept = default;
NamedMutex::~NamedMutex() = default;

}  // namespace vl
