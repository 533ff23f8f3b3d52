#include "platform/posix/file_lock.h"

#include <fcntl.h>

#include <cerrno>

namespace vl::posix {

bool set_byte_lock(int fd, short type, off_t byte, bool wait) {
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

}  // namespace vl::posix
