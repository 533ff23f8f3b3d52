#pragma once
// The layout of a lexicon image, shared by its builder and its reader.
//
//   header (kHeaderSize bytes, little-endian u32 fields at the offsets below)
//   index: one u32 per block, the block's offset in the data
//   data: blocks of up to kBlockWords entries, the words in byte order; an
//         entry is u8 shared (bytes taken from the previous word; 0 for a
//         block's first), u8 length (bytes that follow), the bytes, u8 value
//         (bits 0-5 the stressed vowel, bit 6 a function word, bit 7 "е read as о")
#include <cstddef>
#include <cstdint>

namespace velnor::lexicon_format {

inline constexpr uint8_t kMagic[4] = {'V', 'L', 'L', 'X'};
inline constexpr uint32_t kVersion = 1;
inline constexpr size_t kHeaderSize = 24;
inline constexpr size_t kVersionAt = 4;
inline constexpr size_t kWordsAt = 8;
inline constexpr size_t kBlocksAt = 12;
inline constexpr size_t kBlockWordsAt = 16;
inline constexpr size_t kDataSizeAt = 20;
inline constexpr uint32_t kBlockWords = 16;
inline constexpr uint8_t kEAsO = 0x80;
inline constexpr uint8_t kFunctionWord = 0x40;
inline constexpr uint8_t kVowelMask = 0x3F;

}  // namespace velnor::lexicon_format
