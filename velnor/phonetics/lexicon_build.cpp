#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "velnor/phonetics/letters.h"
#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/lexicon_format.h"

namespace velnor {
namespace {

using namespace lexicon_format;

using KeyValues = std::vector<std::pair<std::string, uint8_t>>;

bool storable(const LexiconEntry& entry) {
    if (entry.word.empty() || entry.word.size() > 255 || entry.stress.vowel > kVowelMask) return false;
    return std::all_of(entry.word.begin(), entry.word.end(), [](char c) { return static_cast<uint8_t>(c) >= 0x80; });
}

void write_u32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Appends a sorted list (see lexicon_format.h) and returns its blocks and data size.
std::pair<uint32_t, uint32_t> write_key_list(const KeyValues& keys, std::vector<uint8_t>& out) {
    std::vector<uint8_t> data;
    std::vector<uint32_t> index;
    std::string_view previous;
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& key = keys[i].first;
        size_t shared = 0;
        if (i % kBlockKeys == 0) {
            index.push_back(static_cast<uint32_t>(data.size()));
        } else {
            while (shared < previous.size() && shared < key.size() && previous[shared] == key[shared]) ++shared;
        }
        data.push_back(static_cast<uint8_t>(shared));
        data.push_back(static_cast<uint8_t>(key.size() - shared));
        data.insert(data.end(), key.begin() + static_cast<std::ptrdiff_t>(shared), key.end());
        data.push_back(keys[i].second);
        previous = key;
    }
    const size_t index_at = out.size();
    out.resize(out.size() + 4 * index.size());
    for (size_t b = 0; b < index.size(); ++b) write_u32(out, index_at + 4 * b, index[b]);
    out.insert(out.end(), data.begin(), data.end());
    return {static_cast<uint32_t>(index.size()), static_cast<uint32_t>(data.size())};
}

// The endings (written backwards) that at least kMinEndingWords stressed words
// share, with the number of vowels most of them have after the stressed one
// (the fewer on a tie); an ending is left out where the ending one letter
// shorter says the same.
KeyValues endings_of(const std::vector<LexiconEntry>& entries) {
    std::vector<std::pair<std::string, uint8_t>> seen;
    for (const LexiconEntry& e : entries) {
        const auto vowels = static_cast<size_t>(std::count_if(
            e.word.begin(), e.word.end(), [](char c) { return is_russian_vowel(static_cast<uint8_t>(c)); }));
        if (e.stress.vowel == 0 || e.stress.vowel > vowels || e.word.find(static_cast<char>(cp1251_letter("ё"))) != std::string::npos)
            continue;
        const std::string reversed(e.word.rbegin(), e.word.rend());
        for (size_t length = 1; length <= std::min(kMaxEnding, reversed.size()); ++length)
            seen.emplace_back(reversed.substr(0, length), static_cast<uint8_t>(vowels - e.stress.vowel));
    }
    std::sort(seen.begin(), seen.end());
    KeyValues all;
    for (size_t i = 0; i < seen.size();) {
        std::array<uint32_t, kVowelMask + 1> counts{};
        size_t j = i;
        for (; j < seen.size() && seen[j].first == seen[i].first; ++j) ++counts[seen[j].second];
        if (j - i >= kMinEndingWords)
            all.emplace_back(seen[i].first, static_cast<uint8_t>(std::max_element(counts.begin(), counts.end()) - counts.begin()));
        i = j;
    }
    KeyValues kept;
    for (const auto& [ending, vowels] : all) {
        if (ending.size() > 1) {
            const auto shorter = std::lower_bound(all.begin(), all.end(), std::make_pair(ending.substr(0, ending.size() - 1), uint8_t{0}),
                                                  [](const auto& a, const auto& b) { return a.first < b.first; });
            if (shorter != all.end() && shorter->first.size() == ending.size() - 1 && shorter->second == vowels) continue;
        }
        kept.emplace_back(ending, vowels);
    }
    return kept;
}

}  // namespace

std::vector<uint8_t> build_lexicon(std::vector<LexiconEntry> entries) {
    std::erase_if(entries, [](const LexiconEntry& e) { return !storable(e); });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LexiconEntry& a, const LexiconEntry& b) { return a.word < b.word; });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const LexiconEntry& a, const LexiconEntry& b) { return a.word == b.word; }),
                  entries.end());
    KeyValues words;
    words.reserve(entries.size());
    for (const LexiconEntry& e : entries)
        words.emplace_back(e.word, static_cast<uint8_t>(e.stress.vowel | (e.stress.e_as_o ? kEAsO : 0) |
                                                        (e.stress.function_word ? kFunctionWord : 0)));
    const KeyValues endings = endings_of(entries);

    std::vector<uint8_t> image(kHeaderSize);
    std::memcpy(image.data(), kMagic, sizeof kMagic);
    write_u32(image, kVersionAt, kVersion);
    write_u32(image, kBlockKeysAt, kBlockKeys);
    size_t list = 0;
    for (const KeyValues* keys : {&std::as_const(words), &endings}) {
        const auto [blocks, data_size] = write_key_list(*keys, image);
        const size_t at = kListsAt + 4 * kListFields * list++;
        write_u32(image, at, static_cast<uint32_t>(keys->size()));
        write_u32(image, at + 4, blocks);
        write_u32(image, at + 8, data_size);
    }
    return image;
}

}  // namespace velnor
