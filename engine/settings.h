#pragma once
// The engine's process-wide settings: each one 32-bit value, written by the
// settings loader (possibly on the watcher thread) and read where used.
#include <atomic>
#include <cstdint>

namespace vl {

struct Settings {
    // Before any file is read the sample rate is 10000 and every other setting 0.
    std::atomic<int32_t> sample_rate{10000};
    std::atomic<int32_t> pause{0};
    std::atomic<int32_t> use_dictionary{0};
    std::atomic<int32_t> intonation{0};
    std::atomic<int32_t> silence_at_begin{0};
    std::atomic<int32_t> silence_at_end{0};
    std::atomic<int32_t> disable_decimal_separator{0};
};

}  // namespace vl
