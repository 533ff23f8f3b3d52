#pragma once
// Reading a tool's command line: options with values and whole numbers.
#include <charconv>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// A command line the tool cannot take; reported on one line.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The value that follows the option at args[i]; i moves on to it.
inline const std::string& option_value(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
    return args[++i];
}

// The text as a whole number within low..high.
inline int32_t parse_whole_number(std::string_view text, const std::string& what,
                                  int32_t low = std::numeric_limits<int32_t>::min(),
                                  int32_t high = std::numeric_limits<int32_t>::max()) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        std::string range;
        if (low != std::numeric_limits<int32_t>::min() || high != std::numeric_limits<int32_t>::max()) {
            range = " from " + std::to_string(low) + " to " + std::to_string(high);
        }
        throw UsageError(what + " takes a whole number" + range);
    }
    return value;
}

}  // namespace vl
