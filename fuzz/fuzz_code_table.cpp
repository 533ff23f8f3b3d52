// The code table file reader on hostile text: each byte that some unit converts to
// must convert to a unit that converts back to it.
#include "stress/xlat/code_table.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto table = vl::xlat::build_code_table(std::string_view(reinterpret_cast<const char*>(data), size), 866);
    bool mapped[256] = {};
    for (const uint8_t byte : table->fromWide) mapped[byte] = true;
    for (int b = 0; b < 256; ++b)
        if (mapped[b] && table->fromWide[table->toWide[b]] != b) std::abort();
    return 0;
}
