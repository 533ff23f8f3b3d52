// Reads arbitrary bytes as a stress lexicon image, and as damage done to a
// valid one (bytes changed, the image cut short), then looks words up: a
// refused image finds nothing, and no lookup reads outside the image.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "velnor/phonetics/lexicon.h"

namespace {

const std::vector<velnor::LexiconEntry>& entries() {
    static const std::vector<velnor::LexiconEntry> kEntries = [] {
        std::vector<velnor::LexiconEntry> list;
        for (int i = 0; i < 60; ++i)
            list.push_back({std::string(1 + i % 5, static_cast<char>(0xE0 + i % 32)) + std::string(1, static_cast<char>(0xF0 + i / 32)),
                            {static_cast<uint8_t>(i % 4), i % 2 == 0, i % 3 == 0}});
        return list;
    }();
    return kEntries;
}

void look_up(const velnor::Lexicon& lexicon, const uint8_t* data, size_t size) {
    for (const velnor::LexiconEntry& e : entries())
        if (lexicon.find(e.word) && !lexicon.valid()) __builtin_trap();
    (void)lexicon.find(std::string(reinterpret_cast<const char*>(data), size < 300 ? size : 300));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The bytes themselves, copied so that reading past them is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    look_up(velnor::Lexicon(bytes), data, size);

    static const std::vector<uint8_t> kValid = velnor::build_lexicon(entries());
    if (size < 2) return 0;
    std::vector<uint8_t> damaged = kValid;
    // The first two bytes say how much to keep; each pair after them changes a byte.
    damaged.resize(((data[0] << 8) | data[1]) % (kValid.size() + 1));
    for (size_t i = 2; i + 1 < size && !damaged.empty(); i += 2) damaged[data[i] * 7u % damaged.size()] ^= data[i + 1];
    look_up(velnor::Lexicon(damaged), data, size);
    return 0;
}
