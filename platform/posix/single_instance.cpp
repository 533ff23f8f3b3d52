#include "platform/single_instance.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/file_lock.h"
#include "platform/posix/runtime_folder.h"

namespace vl {

// The file stays after its holder closes it: removing it could let two
// processes lock two different files of the same name.
struct SingleInstance::Handle {
    explicit Handle(int fd) : fd(fd) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { ::close(fd); }  // releases the lock

    const int fd;
};

std::optional<SingleInstance> SingleInstance::create(std::u16string_view name) {
    const std::optional<std::filesystem::path> path = posix::object_file_path(name, ".instance");
    if (!path) return std::nullopt;
    const int fd = ::open(path->c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return std::nullopt;
    // A second open in this process conflicts too.
    if (!posix::set_byte_lock(fd, F_WRLCK, 0, false)) {
        ::close(fd);
        return std::nullopt;
    }
    return SingleInstance(std::make_unique<Handle>(fd));
}

SingleInstance::SingleInstance(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
SingleInstance::SingleInstance(SingleInstance&&) noexcept = default;
SingleInstance& SingleInstance::operator=(SingleInstance&&) noexcept = default;
SingleInstance::~SingleInstance() = default;

}  // namespace vl
