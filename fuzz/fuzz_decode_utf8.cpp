// UTF-8 decoding of hostile bytes: whatever decodes must encode back to text that
// decodes to the same units.
#include "stress/xlat/utf8.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = vl::xlat::decode_utf8(bytes);
    if (!decoded) return 0;
    if (decoded->size() > size) std::abort();
    if (vl::xlat::decode_utf8(vl::xlat::encode_utf8(*decoded)) != decoded) std::abort();
    return 0;
}
