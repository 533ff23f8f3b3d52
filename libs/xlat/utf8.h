#pragma once
// The library's own UTF-8 codec: one UTF-16 unit per sequence of one to three bytes.
#include <optional>
#include <string>
#include <string_view>

namespace vl::xlat {

// Overlong forms are accepted; a four-byte sequence, a stray or malformed
// continuation byte or a sequence cut off by the end fails the whole text.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// Each unit on its own, surrogates included (three bytes each).
std::string EncodeUtf8(std::u16string_view text);

}  // namespace vl::xlat
