#include "platform/file_sync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace vl {

bool flush_to_disk(const std::filesystem::path& file) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1) return false;
    int result;
    do result = fsync(fd);
    while (result == -1 && errno == EINTR);
    close(fd);
    return result == 0;
}

}  // namespace vl
