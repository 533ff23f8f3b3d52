#pragma once
// One entry of a pronunciation list or of the user dictionary: a letter,
// combination or word and how it is to be read.
#include <string>

namespace vl {

struct PronunciationEntry {
    std::u16string source;
    std::u16string replacement;
    bool operator==(const PronunciationEntry&) const = default;
};

}  // namespace vl
