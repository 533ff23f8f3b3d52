#pragma once
// Text for the text preparation benchmarks: the files that VL_BENCH_TEXT names
// (one file, or every file of a folder, such as Debian's Russian fortunes set
// up by scripts/fetch-bench-text.sh), else generated Russian-like text.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/utf.h"
#include "store/file_io.h"

namespace vl::bench {

inline std::u16string generated_text(size_t units) {
    static const char16_t* const kSyllables[] = {u"по", u"ра", u"ке", u"то", u"пла", u"ни", u"ва", u"ло", u"ст",
                                                 u"ме", u"жду", u"на", u"ро", u"ди", u"ще", u"ска", u"зы", u"ть"};
    static const char16_t* const kNumbers[] = {u"2005", u"007", u"3.14", u"12 500", u"10.05", u"1", u"0"};
    std::u16string text;
    unsigned seed = 12345;
    const auto next = [&seed](unsigned bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    while (text.size() < units) {
        const unsigned words = 5 + next(8);
        for (unsigned w = 0; w < words; ++w) {
            if (next(20) == 0) {
                text += kNumbers[next(std::size(kNumbers))];
            } else {
                const size_t word_start = text.size();
                const unsigned syllables = 1 + next(4);
                for (unsigned s = 0; s < syllables; ++s) text += kSyllables[next(std::size(kSyllables))];
                if (w == 0) text[word_start] -= 0x20;  // а..я to А..Я
            }
            text += next(8) == 0 ? u", " : u" ";
        }
        text.back() = u'.';
        text += u'\n';
    }
    return text;
}

inline std::u16string bench_text() {
    const char* variable = std::getenv("VL_BENCH_TEXT");
    if (variable == nullptr || *variable == '\0') return generated_text(2'000'000);
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    if (fs::is_directory(variable)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(variable)) {
            if (entry.is_regular_file() && !entry.is_symlink() && entry.path().extension() != ".dat") {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(variable);
    }
    std::string bytes;
    for (const fs::path& file : files) bytes += read_file(file).value_or("");
    return bytes.empty() ? generated_text(2'000'000) : utf8_to_utf16(bytes);
}

}  // namespace vl::bench
