#include "store/file_io.h"

#include "platform/file_sync.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <fstream>
#include <random>
#include <system_error>

namespace vl {

std::optional<std::string> read_file(const std::filesystem::path& path) {
    // A folder opens like a file on some systems and then fails to read, which
    // the stream buffer reports by throwing.
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::filesystem::path temporary_path_beside(const std::filesystem::path& path) {
    static const unsigned process_salt = std::random_device{}();
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(process_salt) + "-" + std::to_string(stamp) + "-" +
                 std::to_string(counter++);
    return temporary;
}

bool write_file_atomic(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path temporary = temporary_path_beside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        // On the disk before it takes the old file's name, so that a power loss
        // cannot leave an empty file under that name.
        if (!out || !flush_to_disk(temporary)) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace vl
