// Feeds arbitrary UTF-16 text to the number reading stage, with the decimal
// separator on and off. The stage only ever inserts text, so its result is
// never shorter than its input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "textprep/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    for (const bool disable_decimal_separator : {false, true}) {
        if (vl::prepare_numbers(text, disable_decimal_separator).size() < text.size()) __builtin_trap();
    }
    return 0;
}
