#include "tools/vlsay/wav_writer.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

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

}  // namespace

WavWriter::WavWriter(const std::filesystem::path& target, uint32_t sample_rate)
    : target_(target), sample_rate_(sample_rate) {
    if (target == "-") {
        file_ = stdout;
    } else {
        temporary_ = temporary_path_beside(target);
        file_ = open_for_writing(temporary_);
        if (!file_) throw std::runtime_error("cannot write " + path_utf8(target) + ": " + reason());
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
    const std::string header = wav_header(file_ == stdout ? kWavMaxDataBytes : 0, sample_rate_);
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size()) {
        fail("cannot write " + path_utf8(target) + ": " + reason());
        throw std::runtime_error(failure_);
    }
}

WavWriter::WavWriter(std::FILE* stream, uint32_t sample_rate) : target_("-"), file_(stream), sample_rate_(sample_rate) {}

WavWriter::~WavWriter() {
    if (temporary_.empty()) return;
    if (file_) std::fclose(file_);
    if (!finished_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

bool WavWriter::fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
    return false;
}

bool WavWriter::write(const void* bytes, size_t count) {
    if (!failure_.empty()) return false;
    if (data_bytes_ + count > kWavMaxDataBytes)
        return fail("the audio would pass the 4 GiB that a WAV file can hold: speak the text in parts");
    if (std::fwrite(bytes, 1, count, file_) != count)
        return fail("cannot write " + (temporary_.empty() ? std::string("standard output") : path_utf8(target_)) +
                    ": " + reason());
    data_bytes_ += count;
    return true;
}

bool WavWriter::finish() {
    if (!failure_.empty()) return false;
    const std::string where = temporary_.empty() ? std::string("standard output") : path_utf8(target_);
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
