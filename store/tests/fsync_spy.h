#pragma once
// What the test executable flushed to the disk: each flushed file's name and
// content at that moment, recorded where the platform can observe it.
#include <filesystem>
#include <string>
#include <vector>

namespace vl::test {

struct FlushedFile {
    std::filesystem::path name;
    std::string content;
};

// Called by the platform's spy (tests/*/fsync_spy.cpp) for each flush it sees.
void record_flush(const std::filesystem::path& name);
// Every flush since the start of the program; nothing where flushes cannot be observed.
std::vector<FlushedFile> flushed_files();
// Whether flushed_files() sees the flushes on this platform.
bool flushes_observed();

}  // namespace vl::test
