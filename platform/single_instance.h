#pragma once
// A system-wide object by name that at most one process holds at a time: the
// configurer keeps one from start to exit so that a second copy can tell.
//
// Windows: a named semaphore (initial count 0, maximum 1); a creation that finds
// the object already there counts as taken. Elsewhere: an exclusive lock on a
// file of that name in the user's runtime folder, released when the holder
// closes it or dies.
#include <memory>
#include <optional>
#include <string_view>

namespace vl {

class SingleInstance {
public:
    // The object of that name, or nothing when another holder has it or it
    // cannot be made.
    static std::optional<SingleInstance> create(std::u16string_view name);

    SingleInstance(SingleInstance&& other) noexcept;
    SingleInstance& operator=(SingleInstance&& other) noexcept;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    // Gives the object up.
    ~SingleInstance();

private:
    struct Handle;
    explicit SingleInstance(std::unique_ptr<Handle> handle);

    std::unique_ptr<Handle> handle_;
};

}  // namespace vl
