#include "velnor/voice/platform.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velnor {
namespace {

class PosixMapping final : public MappedFile {
public:
    PosixMapping(void* address, size_t size) : address_(address), size_(size) {}
    ~PosixMapping() override { munmap(address_, size_); }
    std::span<const uint8_t> bytes() const override { return {static_cast<const uint8_t*>(address_), size_}; }

private:
    void* address_;
    size_t size_;
};

}  // namespace

std::unique_ptr<MappedFile> map_file(const std::filesystem::path& path, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    void* address = MAP_FAILED;
    if (fstat(fd, &info) == 0 && info.st_size > 0)
        address = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_SHARED, fd, 0);
    close(fd);
    if (address == MAP_FAILED) {
        error = "cannot map " + path.string() + (info.st_size == 0 ? ": the file is empty" : "");
        return nullptr;
    }
    return std::make_unique<PosixMapping>(address, static_cast<size_t>(info.st_size));
}

std::filesystem::path module_folder() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}

std::filesystem::path environment_path(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

void log_line(std::string_view line) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace velnor
