// The test executable is linked with --wrap=fsync: every fsync of the code
// under test comes here first.
#include "base/tests/fsync_spy.h"

#include <unistd.h>

#include <mutex>

#include "base/file_io.h"

extern "C" int __real_fsync(int fd);

namespace vl::test {
namespace {

std::mutex lock;
std::vector<FlushedFile> flushes;

}  // namespace

std::vector<FlushedFile> flushed_files() {
    std::lock_guard guard(lock);
    return flushes;
}

bool flushes_observed() { return true; }

}  // namespace vl::test

extern "C" int __wrap_fsync(int fd) {
    std::error_code error;
    const std::filesystem::path name =
        std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
    const std::string content = vl::read_file(name).value_or("");
    {
        std::lock_guard guard(vl::test::lock);
        vl::test::flushes.push_back({name, content});
    }
    return __real_fsync(fd);
}
