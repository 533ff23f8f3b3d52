#pragma once
// The report of a checking program: a line per check, "ok" or "FAIL" and what
// was checked, flushed at once so that a log read while it runs is current; the
// failures are counted for the exit status.
#include <cstdio>
#include <string>

namespace vl {

inline int& check_failures() {
    static int failures = 0;
    return failures;
}

inline void check(bool passed, const std::string& what) {
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!passed) ++check_failures();
}

}  // namespace vl
