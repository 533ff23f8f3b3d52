#include "tools/vlsay/wav_writer.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "base/utf.h"
#include "store/file_io.h"
#include "tools/common/wav.h"

namespace vl {

namespace {

constexpr size_t kBufferBytes = 1 << 16;

std::FILE* open_for_writing(const std::filesystem::path& path) {
#if defined(_WIN32)
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

std::string reason() { return std::strerror(errno); }

bool is_read_only(const std::filesystem::path& path, std::filesystem::perms permissions) {
    using std::filesystem::perms;
    if ((permissions & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none) return true;
#if defined(_WIN32)
    (void)path;
    return false;
#else
    return access(path.c_str(), W_OK) != 0;
#endif
}

// What becomes of the target, found before any speech is made: a folder or a
// read-only file is refused, a device or a pipe is written as a stream, and a
// regular file (or none) is replaced through a temporary file beside it.
enum class Target { file, stream };
Target target_kind(const std::filesystem::path& target) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (status.type() == std::filesystem::file_type::directory)
        throw std::runtime_error("cannot write " + path_utf8(target) + ": it is a folder");
    if (status.type() == std::filesystem::file_type::regular) {
        if (is_read_only(target, status.permissions()))
            throw std::runtime_error("cannot write " + path_utf8(target) + ": the file is read-only");
        return Target::file;
    }
    const bool exists = !error && status.type() != std::filesystem::file_type::not_found;
    return exists ? Target::stream : Target::file;
}

}  // namespace

WavWriter::WavWriter(const std::filesystem::path& target, uint32_t sample_rate)
    : target_(target), sample_rate_(sample_rate) {
    if (target == "-") {
        file_ = stdout;
    } else if (target_kind(target) == Target::stream) {
        file_ = open_for_writing(target);
        if (!file_) throw std::runtime_error("cannot write " + path_utf8(target) + ": " + reason());
        stream_ = true;
    } else {
        temporary_ = temporary_path_beside(target);
        file_ = open_for_writing(temporary_);
        if (!file_) throw std::runtime_error("cannot write " + path_utf8(target) + ": " + reason());
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
    const std::string header = wav_header(temporary_.empty() ? kWavMaxDataBytes : 0, sample_rate_);
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size()) {
        fail("cannot write " + path_utf8(target) + ": " + reason());
        throw std::runtime_error(failure_);
    }
}

WavWriter::WavWriter(std::FILE* stream, uint32_t sample_rate) : target_("-"), file_(stream), sample_rate_(sample_rate) {}

WavWriter::~WavWriter() {
    if (stream_ && file_) std::fclose(file_);
    if (temporary_.empty()) return;
    if (file_) std::fclose(file_);
    if (!finished_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

std::string WavWriter::where() const { return target_ == "-" ? std::string("standard output") : path_utf8(target_); }

bool WavWriter::fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
    return false;
}

bool WavWriter::write(const void* bytes, size_t count) {
    if (!failure_.empty()) return false;
    if (data_bytes_ + count > kWavMaxDataBytes)
        return fail("the audio would pass the 4 GiB that a WAV file can hold: speak the text in parts");
    if (std::fwrite(bytes, 1, count, file_) != count)
        return fail("cannot write " + where() + ": " + reason());
    data_bytes_ += count;
    return true;
}

bool WavWriter::finish() {
    if (!failure_.empty()) return false;
    const std::string where = this->where();
    if (temporary_.empty()) return std::fflush(file_) == 0 || fail("cannot write " + where + ": " + reason());
    const std::string header = wav_header(data_bytes_, sample_rate_);
    const bool written = std::fseek(file_, 0, SEEK_SET) == 0 &&
                         std::fwrite(header.data(), 1, header.size(), file_) == header.size() &&
                         std::fflush(file_) == 0;
    const std::string why = written ? std::string() : reason();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed) return fail("cannot write " + where + ": " + (written ? reason() : why));
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) return fail("cannot write " + where + ": " + error.message());
    finished_ = true;
    return true;
}

}  // namespace vl
