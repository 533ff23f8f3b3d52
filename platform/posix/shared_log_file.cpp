#include "platform/shared_log_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/file_lock.h"

namespace vl {
namespace {

// Every process that holds the log keeps a shared lock on byte 0, so that an
// opener that gets it exclusively knows it is alone.
constexpr off_t holder_byte = 0;

class PosixLogFile final : public SharedLogFile {
public:
    explicit PosixLogFile(int fd) : fd_(fd) {}
    ~PosixLogFile() override { ::close(fd_); }

    bool append(std::string_view bytes) override {
        // O_APPEND: each write goes to the end of the file as one piece.
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            bytes.remove_prefix(static_cast<size_t>(written));
        }
        return true;
    }

private:
    const int fd_;
};

}  // namespace

std::unique_ptr<SharedLogFile> SharedLogFile::open(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    if (posix::set_byte_lock(fd, F_WRLCK, holder_byte, false) && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    posix::set_byte_lock(fd, F_RDLCK, holder_byte, true);  // from alone (or waiting) to one of the holders
    return std::make_unique<PosixLogFile>(fd);
}

}  // namespace vl
