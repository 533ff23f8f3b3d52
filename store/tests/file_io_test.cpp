#include "store/file_io.h"

#include <gtest/gtest.h>

#include "store/tests/fsync_spy.h"
#include "store/tests/temp_folder.h"

#include <algorithm>

namespace vl {
namespace {

namespace fs = std::filesystem;

using FileIo = test::TempFolderTest;

TEST_F(FileIo, WriteReplacesWholeFileAndLeavesNoTemporary) {
    const fs::path file = folder / "prefs.ini";
    ASSERT_TRUE(write_file_atomic(file, "a long first content"));
    ASSERT_TRUE(write_file_atomic(file, std::string("x\0y", 3)));
    EXPECT_EQ(read_file(file), std::string("x\0y", 3));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(FileIo, NewContentReachesTheDiskBeforeItTakesTheName) {
    if (!test::flushes_observed()) GTEST_SKIP() << "flushes are not observed on this platform";
    const fs::path file = folder / "dict.dic";
    ASSERT_TRUE(write_file_atomic(file, "the old content"));
    ASSERT_TRUE(write_file_atomic(file, "the new content"));
    // Flushed under its temporary name, in the same folder: before the rename.
    const std::vector<test::FlushedFile> flushes = test::flushed_files();
    EXPECT_TRUE(std::any_of(flushes.begin(), flushes.end(), [&](const test::FlushedFile& flushed) {
        std::error_code error;
        return flushed.content == "the new content" && fs::equivalent(flushed.name.parent_path(), folder, error) &&
               flushed.name.filename() != file.filename();
    })) << flushes.size() << " flushes, the last of " << (flushes.empty() ? fs::path() : flushes.back().name);
    EXPECT_EQ(read_file(file), "the new content");
}

TEST_F(FileIo, FailuresAreReported) {
    EXPECT_FALSE(read_file(folder / "missing").has_value());
    EXPECT_FALSE(write_file_atomic(folder / "no" / "such" / "folder", "x"));
    fs::create_directories(folder / "dir");
    EXPECT_FALSE(read_file(folder / "dir").has_value());
    EXPECT_FALSE(write_file_atomic(folder / "dir", "x"));  // a folder is not replaced
    EXPECT_TRUE(fs::is_directory(folder / "dir"));
}

}  // namespace
}  // namespace vl
