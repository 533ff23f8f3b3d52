// Feeds arbitrary UTF-16 text to the number reading stage, with the decimal
// separator on and off. Only zeros are ever dropped (a run becomes its
// count), so the result keeps at least as many other characters as the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "textprep/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = vl::fuzz::utf16_units(data, size);
    const auto non_zeros = [](const std::u16string& s) { return s.size() - std::count(s.begin(), s.end(), u'0'); };
    for (const bool disable_decimal_separator : {false, true}) {
        if (non_zeros(vl::prepare_numbers(text, disable_decimal_separator)) < non_zeros(text)) __builtin_trap();
    }
    return 0;
}
