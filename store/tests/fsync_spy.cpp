// The flushes the platform's spy saw, each with the file's content then.
#include "store/tests/fsync_spy.h"

#include <mutex>

#include "store/file_io.h"

namespace vl::test {
namespace {

std::mutex lock;
std::vector<FlushedFile> flushes;

}  // namespace

void record_flush(const std::filesystem::path& name) {
    std::string content = read_file(name).value_or("");
    std::lock_guard guard(lock);
    flushes.push_back({name, std::move(content)});
}

std::vector<FlushedFile> flushed_files() {
    std::lock_guard guard(lock);
    return flushes;
}

}  // namespace vl::test
