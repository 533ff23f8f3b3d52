#pragma once
// A WAV file written as its audio is made. To a named file: into a temporary
// file beside it, whose header counts no samples until finish() fills in the
// sizes and renames it over the target, so that an interrupted or failed run
// leaves nothing that looks complete. To standard output ("-"): the header
// gives the largest sizes, as streams do, and the samples follow; so it does
// to a device or a pipe named as the target. A folder or a read-only file is
// refused at once, before any audio is made.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vl {

class WavWriter {
public:
    // Throws std::runtime_error with the reason when the file cannot be made.
    WavWriter(const std::filesystem::path& target, uint32_t sample_rate);
    // A stream opened by the caller, written from where it stands (tests).
    WavWriter(std::FILE* stream, uint32_t sample_rate);
    ~WavWriter();  // an unfinished file is removed
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // False, with failure() saying why, when the bytes cannot be written or
    // would pass what a WAV header can count; nothing is written then.
    bool write(const void* bytes, size_t count);
    // Completes the header and puts the file in place; false with failure().
    bool finish();

    uint64_t data_bytes() const { return data_bytes_; }
    const std::string& failure() const { return failure_; }

private:
    bool fail(const std::string& what);
    std::string where() const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty for a stream
    std::FILE* file_ = nullptr;
    bool stream_ = false;  // a device or a pipe this writer opened
    uint32_t sample_rate_;
    uint64_t data_bytes_ = 0;
    bool finished_ = false;
    std::string failure_;
};

}  // namespace vl
