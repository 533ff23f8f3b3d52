#include "tools/vlstress/festival_lexicon.h"

#include "tools/vlstress/word_records.h"

namespace vl::stress_tool {

FestivalLexicon read_festival_lexicon(std::string_view text) {
    FestivalLexicon lexicon;
    size_t number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const FestivalLine parsed = parse_festival_entry(line);
        if (parsed.kind == FestivalLine::Kind::malformed) lexicon.malformed_lines.push_back(number);
        if (parsed.kind != FestivalLine::Kind::entry || parsed.entry.vowel_number > 63) continue;
        const std::string& pos = parsed.entry.part_of_speech;
        const bool function_word = pos == "in" || pos == "cc" || pos == "aux" || pos == "wp";
        lexicon.entries.push_back(
            {parsed.entry.key, {static_cast<uint8_t>(parsed.entry.vowel_number), parsed.entry.yo, function_word}});
    }
    return lexicon;
}

}  // namespace vl::stress_tool
