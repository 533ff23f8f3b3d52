// Reads arbitrary bytes as a user dictionary file, then runs the replacement
// stage over the same bytes as text with that dictionary.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/utf.h"
#include "textprep/user_dictionary.h"
#include "textprep/user_dictionary_stage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vl::UserDictionary dictionary = vl::UserDictionary::parse(bytes);
    vl::apply_user_dictionary(vl::utf8_to_utf16(bytes), dictionary);
    return 0;
}
