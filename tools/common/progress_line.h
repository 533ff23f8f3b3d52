#pragma once
// A progress line on standard error for long work: the share done, the time
// elapsed and the time left, redrawn a few times a second once the work has run
// for a second, and erased at the end. Shown only when standard error is a
// terminal and the user did not ask for quiet.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vl {

// "m:ss" (or "h:mm:ss") of whole seconds.
inline std::string clock_text(long long seconds) {
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

// The line for a share done (0 to 1) after the time elapsed.
inline std::string progress_text(double done, std::chrono::seconds elapsed) {
    const long long spent = elapsed.count();
    std::string text = std::to_string(static_cast<int>(done * 100)) + "% done, " + clock_text(spent) + " elapsed";
    if (done > 0) text += ", " + clock_text(static_cast<long long>(spent / done - spent + 0.5)) + " left";
    return text;
}

class ProgressLine {
public:
    explicit ProgressLine(bool wanted) : shown_(wanted && standard_error_is_terminal()) {}
    ~ProgressLine() {
        if (width_ > 0) std::fprintf(stderr, "\r%*s\r", static_cast<int>(width_), "");
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(double done) {
        if (!shown_) return;
        const auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - drawn_ < std::chrono::milliseconds(250)) return;
        drawn_ = now;
        const std::string text =
            progress_text(done, std::chrono::duration_cast<std::chrono::seconds>(now - start_));
        std::fprintf(stderr, "\r%-*s", static_cast<int>(width_), text.c_str());
        std::fflush(stderr);
        width_ = std::max(width_, text.size());
    }

private:
    using Clock = std::chrono::steady_clock;
    static bool standard_error_is_terminal() {
#if defined(_WIN32)
        return _isatty(_fileno(stderr)) != 0;
#else
        return isatty(STDERR_FILENO) != 0;
#endif
    }

    bool shown_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point drawn_{};
    size_t width_ = 0;
};

}  // namespace vl
