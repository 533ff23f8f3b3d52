#include <algorithm>
#include <cstring>

#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/lexicon_format.h"

namespace velnor {
namespace {

using namespace lexicon_format;

bool storable(const LexiconEntry& entry) {
    if (entry.word.empty() || entry.word.size() > 255 || entry.stress.vowel > kVowelMask) return false;
    return std::all_of(entry.word.begin(), entry.word.end(),
                       [](char c) { return c == '-' || static_cast<uint8_t>(c) >= 0x80; });
}

void put_u32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> build_lexicon(std::vector<LexiconEntry> entries) {
    std::erase_if(entries, [](const LexiconEntry& e) { return !storable(e); });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LexiconEntry& a, const LexiconEntry& b) { return a.word < b.word; });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const LexiconEntry& a, const LexiconEntry& b) { return a.word == b.word; }),
                  entries.end());

    const uint32_t blocks = static_cast<uint32_t>((entries.size() + kBlockWords - 1) / kBlockWords);
    std::vector<uint8_t> data;
    std::vector<uint32_t> index;
    std::string_view previous;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& word = entries[i].word;
        size_t shared = 0;
        if (i % kBlockWords == 0) {
            index.push_back(static_cast<uint32_t>(data.size()));
        } else {
            while (shared < previous.size() && shared < word.size() && previous[shared] == word[shared]) ++shared;
        }
        data.push_back(static_cast<uint8_t>(shared));
        data.push_back(static_cast<uint8_t>(word.size() - shared));
        data.insert(data.end(), word.begin() + static_cast<std::ptrdiff_t>(shared), word.end());
        const WordStress& stress = entries[i].stress;
        data.push_back(static_cast<uint8_t>(stress.vowel | (stress.e_as_o ? kEAsO : 0) |
                                            (stress.function_word ? kFunctionWord : 0)));
        previous = word;
    }

    std::vector<uint8_t> image(kHeaderSize + 4 * index.size());
    std::memcpy(image.data(), kMagic, sizeof kMagic);
    put_u32(image, kVersionAt, kVersion);
    put_u32(image, kWordsAt, static_cast<uint32_t>(entries.size()));
    put_u32(image, kBlocksAt, blocks);
    put_u32(image, kBlockWordsAt, kBlockWords);
    put_u32(image, kDataSizeAt, static_cast<uint32_t>(data.size()));
    for (size_t b = 0; b < index.size(); ++b) put_u32(image, kHeaderSize + 4 * b, index[b]);
    image.insert(image.end(), data.begin(), data.end());
    return image;
}

}  // namespace velnor
