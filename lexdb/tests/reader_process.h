#pragma once
// A second process that holds a read transaction on a database file, for tests
// of a writer that meets another program's reader. The test executable runs
// itself as that process, through the test ReaderProcess.HoldsAReadTransaction,
// which does nothing in an ordinary run.
#include <filesystem>
#include <string>

namespace vl::test {

class ReaderProcess {
public:
    // Starts the reader on the table of the database and waits until it holds
    // its read transaction; started() tells whether it does.
    ReaderProcess(const std::filesystem::path& database, const std::string& table);
    // Lets the reader end its transaction and waits for it to exit.
    ~ReaderProcess();
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    bool started() const { return started_; }

private:
    std::filesystem::path ready_, release_;
    bool started_ = false;
    intptr_t process_ = 0;
};

}  // namespace vl::test
