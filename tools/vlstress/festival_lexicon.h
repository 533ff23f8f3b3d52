#pragma once
// The Festival Russian dictionary (festvox-ru's msu_ru_nsh_dict.scm) as the
// entries of the voice's stress lexicon.
#include <string_view>
#include <vector>

#include "velnor/phonetics/lexicon.h"

namespace vl::stress_tool {

struct FestivalLexicon {
    std::vector<velnor::LexiconEntry> entries;  // in the file's order
    std::vector<size_t> malformed_lines;        // numbered from 1
};

// Every entry of the file's text: a word's key, its stressed vowel, whether
// its е are ё and whether it is a function word (a preposition, conjunction or
// particle: parts of speech in, cc, aux, wp).
FestivalLexicon read_festival_lexicon(std::string_view text);

}  // namespace vl::stress_tool
