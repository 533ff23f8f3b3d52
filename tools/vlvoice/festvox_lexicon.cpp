#include "tools/vlvoice/festvox_lexicon.h"

#include <fstream>
#include <stdexcept>

#include "base/cp1251.h"
#include "base/utf.h"

namespace vl::voice_tool {

std::vector<velnor::LexiconEntry> read_festvox_lexicon(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<velnor::LexiconEntry> entries;
    std::string line;
    while (std::getline(in, line)) {
        // The first entry shares its line with the list's opening parenthesis.
        const size_t open = line.find("(\"");
        if (open == std::string::npos) continue;
        const size_t word_end = line.find('"', open + 2);
        const size_t number = line.find('(', word_end == std::string::npos ? line.size() : word_end);
        if (word_end == std::string::npos || number == std::string::npos) continue;
        const std::u16string word = utf8_to_utf16(line.substr(open + 2, word_end - open - 2));
        const std::string cp1251 = to_cp1251(word, '\0');
        if (cp1251.find('\0') != std::string::npos) continue;
        int vowel = 0;
        for (size_t i = number + 1; i < line.size() && line[i] >= '0' && line[i] <= '9' && vowel < 256; ++i)
            vowel = vowel * 10 + (line[i] - '0');
        if (vowel > 255) continue;
        entries.push_back({cp1251, static_cast<uint8_t>(vowel)});
    }
    return entries;
}

}  // namespace vl::voice_tool
