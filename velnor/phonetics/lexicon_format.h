#pragma once
// The layout of a lexicon image, shared by its builder and its reader.
//
//   header: kHeaderSize bytes of little-endian u32 fields at the offsets below
//   the words: a sorted list
//   the endings: a sorted list of word endings, each written backwards
//
// A sorted list is an index (one u32 per block: the block's offset in the
// list's data) and the data: blocks of up to kBlockKeys entries in byte order.
// An entry is u8 shared (bytes taken from the previous key; 0 for a block's
// first), u8 length (bytes that follow), the bytes, and a u8 value. A word's
// value: bits 0-5 the stressed vowel, bit 6 a function word, bit 7 "е read as
// о"; an ending's: the number of vowels after the stressed one.
#include <cstddef>
#include <cstdint>

namespace velnor::lexicon_format {

inline constexpr uint8_t kMagic[4] = {'V', 'L', 'L', 'X'};
inline constexpr uint32_t kVersion = 1;
inline constexpr size_t kVersionAt = 4;
inline constexpr size_t kBlockKeysAt = 8;
// Per list (words, then endings): its keys, its blocks, its data's size.
inline constexpr size_t kListsAt = 12;
inline constexpr size_t kListFields = 3;
inline constexpr size_t kHeaderSize = kListsAt + 2 * kListFields * 4;
inline constexpr uint32_t kBlockKeys = 16;

inline constexpr uint8_t kEAsO = 0x80;
inline constexpr uint8_t kFunctionWord = 0x40;
inline constexpr uint8_t kVowelMask = 0x3F;

// The longest ending kept, and the fewest dictionary words an ending must end
// to be kept.
inline constexpr size_t kMaxEnding = 7;
inline constexpr uint32_t kMinEndingWords = 3;

}  // namespace velnor::lexicon_format
