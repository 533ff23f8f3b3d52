#pragma once
// The entries of festvox-ru's stress lexicon: lines ‹("word" POS (N))› in
// UTF-8, N the stressed vowel counted from 1 (0: no stress of its own).
#include <string>
#include <vector>

#include "velnor/phonetics/lexicon.h"

namespace vl::voice_tool {

// Lines that are not entries, or whose word has a letter outside code page
// 1251, are passed over; throws std::runtime_error when the file cannot be read.
std::vector<velnor::LexiconEntry> read_festvox_lexicon(const std::string& path);

}  // namespace vl::voice_tool
