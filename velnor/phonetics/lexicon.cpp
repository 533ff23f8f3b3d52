#include "velnor/phonetics/lexicon.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "velnor/phonetics/lexicon_format.h"

namespace velnor {

using namespace lexicon_format;

Lexicon::Lexicon(std::span<const uint8_t> image) {
    if (image.size() < kHeaderSize || std::memcmp(image.data(), kMagic, sizeof kMagic) != 0) return;
    if (read_u32(image, kVersionAt) != kVersion || read_u32(image, kBlockKeysAt) != kBlockKeys) return;
    const auto field = [&](size_t list, size_t field) { return read_u32(image, kListsAt + 4 * (kListFields * list + field)); };
    size_t at = kHeaderSize;
    valid_ = words_.open(image, at, field(0, 0), field(0, 1), field(0, 2)) &&
             endings_.open(image, at, field(1, 0), field(1, 1), field(1, 2)) && at == image.size();
    if (!valid_) words_ = endings_ = KeyList();
}

std::optional<WordStress> Lexicon::find(std::string_view word) const {
    const std::optional<uint8_t> value = words_.find(word);
    if (!value) return std::nullopt;
    return WordStress{static_cast<uint8_t>(*value & kVowelMask), (*value & kEAsO) != 0, (*value & kFunctionWord) != 0};
}

std::optional<uint8_t> Lexicon::vowels_after_stress(std::string_view word) const {
    std::string ending;
    for (size_t length = std::min(word.size(), kMaxEnding); length > 0; --length) {
        ending.assign(word.rbegin(), word.rbegin() + static_cast<std::ptrdiff_t>(length));
        if (const std::optional<uint8_t> vowels = endings_.find(ending)) return vowels;
    }
    return std::nullopt;
}

}  // namespace velnor
