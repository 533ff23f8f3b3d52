#pragma once
// The library's own UTF-8 codec: one UTF-16 unit per sequence of one to four bytes.
#include <optional>
#include <string>
#include <string_view>

namespace vl::xlat {

// A four-byte sequence becomes one "?", so that the text's characters keep their
// count. Overlong forms are accepted; a lead byte of 0xF8 or above, a stray or
// malformed continuation byte or a sequence cut off by the end fails the whole text.
std::optional<std::u16string> decode_utf8(std::string_view bytes);

// Each unit on its own, surrogates included (three bytes each).
std::string encode_utf8(std::u16string_view text);

}  // namespace vl::xlat
