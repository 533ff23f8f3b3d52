#include "lexdb/tests/reader_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "lexdb/include/lexdb_api.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace vl::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kDatabaseVariable = "VL_READER_DATABASE";
constexpr const char* kTableVariable = "VL_READER_TABLE";

// Waits up to ten seconds for the file to appear.
bool appears(const fs::path& file) {
    for (int poll = 0; poll < 1000; ++poll) {
        if (fs::exists(file)) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

void set_variable(const char* name, const std::string& value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
#else
    if (value.empty()) unsetenv(name);
    else setenv(name, value.c_str(), 1);
#endif
}

const char* variable(const char* name) {
#ifdef _WIN32
    static char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : nullptr;
#else
    return std::getenv(name);
#endif
}

// Starts this test executable running only the reader's test; 0 on failure.
intptr_t start_self() {
    const std::string filter = "--gtest_filter=ReaderProcess.HoldsAReadTransaction";
#ifdef _WIN32
    wchar_t exe[MAX_PATH];
    if (GetModuleFileNameW(nullptr, exe, MAX_PATH) == 0) return 0;
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + std::wstring(filter.begin(), filter.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 0;
    CloseHandle(info.hThread);
    return reinterpret_cast<intptr_t>(info.hProcess);
#else
    const std::string exe = fs::read_symlink("/proc/self/exe").string();
    char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>(filter.c_str()), nullptr};
    pid_t child = 0;
    return posix_spawn(&child, exe.c_str(), nullptr, nullptr, argv, environ) == 0 ? child : 0;
#endif
}

void wait_for(intptr_t process) {
#ifdef _WIN32
    const HANDLE handle = reinterpret_cast<HANDLE>(process);
    WaitForSingleObject(handle, 20000);
    CloseHandle(handle);
#else
    int status = 0;
    waitpid(static_cast<pid_t>(process), &status, 0);
#endif
}

}  // namespace

ReaderProcess::ReaderProcess(const fs::path& database, const std::string& table)
    : ready_(fs::path(database) += ".reader-ready"), release_(fs::path(database) += ".reader-release") {
    fs::remove(ready_);
    fs::remove(release_);
    set_variable(kDatabaseVariable, database.string());
    set_variable(kTableVariable, table);
    process_ = start_self();
    set_variable(kDatabaseVariable, "");
    set_variable(kTableVariable, "");
    started_ = process_ != 0 && appears(ready_);
}

ReaderProcess::~ReaderProcess() {
    std::ofstream(release_) << "done";
    if (process_) wait_for(process_);
    std::error_code ignored;
    fs::remove(ready_, ignored);
    fs::remove(release_, ignored);
}

// The reader's side: opens the database, reads one record inside a transaction
// (which keeps the file's shared lock), says so, and holds until released.
TEST(ReaderProcess, HoldsAReadTransaction) {
    const char* database = variable(kDatabaseVariable);
    if (!database) GTEST_SKIP() << "runs only as another test's reader process";
    const std::string path = database;
    const std::string table = variable(kTableVariable) ? variable(kTableVariable) : "lexicon";
    LexConnection* connection = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &connection), 0);
    LexBtree* btree = sqlite3_get_btree(connection);
    LexCursor* cursor = nullptr;
    ASSERT_EQ(sqlite3_open_dict(connection, table.c_str(), 0, &cursor), 0);
    ASSERT_EQ(sqlite3BtreeBeginTrans(btree, 0), 0);
    int32_t position = 0;
    ASSERT_EQ(sqlite3BtreeMoveto(cursor, "k", 1, &position), 0);
    std::ofstream(fs::path(path) += ".reader-ready") << "holding";
    EXPECT_TRUE(appears(fs::path(path) += ".reader-release"));
    sqlite3BtreeCommit(btree);
    sqlite3BtreeCloseCursor(cursor);
    sqlite3_close(connection);
}

}  // namespace vl::test
