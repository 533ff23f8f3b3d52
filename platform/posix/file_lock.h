#pragma once
// Open-file-description locks on single bytes of a file: each open of the file
// holds its own locks (two opens in one process conflict too), and they are
// released when that open is closed or its process dies.
#include <sys/types.h>

namespace vl::posix {

// Sets F_RDLCK or F_WRLCK, or clears with F_UNLCK, the lock on one byte; with
// wait it blocks until granted. False when refused or failed.
bool set_byte_lock(int fd, short type, off_t byte, bool wait);

}  // namespace vl::posix
