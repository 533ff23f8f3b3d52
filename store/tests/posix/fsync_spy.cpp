// The test executable is linked with --wrap=fsync: every fsync of the code
// under test comes here first.
#include "store/tests/fsync_spy.h"

#include <unistd.h>

extern "C" int __real_fsync(int fd);

namespace vl::test {

bool flushes_observed() { return true; }

}  // namespace vl::test

extern "C" int __wrap_fsync(int fd) {
    std::error_code error;
    vl::test::record_flush(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error));
    return __real_fsync(fd);
}
