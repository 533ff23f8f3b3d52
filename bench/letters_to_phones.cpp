// Letters to phones measured against the recorded speaker's own labels: each
// sentence of festvox-ru's etc/txt.done.data is read as the library reads its
// text, and its phones are compared with those of lab/<utterance>.lab, pauses
// left out of both. The phone error rate is the summed edit distance
// (substitutions, insertions, deletions) over the number of label phones.
// Usage: bench_letters_to_phones VOICE_FOLDER [--no-lexicon|--unknown-words] [--show N] [--text TEXT]
//   VOICE_FOLDER: festvox-ru's msu_ru_nsh_clunits folder; --unknown-words leaves
//   the corpus's words out of the lexicon (its rules for unknown words then
//   stress them all); --show prints the N
//   sentences with the most errors, label phones above ours; --text prints the
//   phones of TEXT (UTF-8) instead.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "store/file_io.h"
#include "base/utf.h"
#include "tools/vlstress/festival_lexicon.h"
#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/utterance.h"

namespace {

using Phones = std::vector<std::string>;

struct Sentence {
    std::string name;
    std::string text;  // code page 1251, "+" after the stressed vowel as the engine gives it
};

// Festival's texts put "+" before the stressed vowel; the engine's after it.
std::string engine_marks(std::string text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '+') {
            std::swap(text[i], text[i + 1]);
            ++i;
        }
    }
    return text;
}

std::vector<Sentence> read_sentences(const std::string& file) {
    std::vector<Sentence> sentences;
    std::istringstream lines(vl::read_file(vl::utf8_path(file)).value_or(""));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t name_start = line.find("ru_");
        const size_t open = line.find('"');
        const size_t close = line.rfind('"');
        if (name_start == std::string::npos || open == std::string::npos || close <= open) continue;
        const std::string name = line.substr(name_start, line.find(' ', name_start) - name_start);
        const std::string text = vl::to_cp1251(vl::utf8_to_utf16(line.substr(open + 1, close - open - 1)), ' ');
        sentences.push_back({name, engine_marks(text)});
    }
    return sentences;
}

// The words of the sentences as the lexicon keys them: lower case, without
// stress marks and hyphens.
std::set<std::string> words_of(const std::vector<Sentence>& sentences) {
    std::set<std::string> words;
    for (const Sentence& sentence : sentences) {
        std::string word;
        for (const char c : sentence.text + ' ') {
            const auto byte = static_cast<uint8_t>(c);
            if (byte >= 0xC0 || byte == 0xA8 || byte == 0xB8) {
                word += static_cast<char>(byte >= 0xC0 && byte < 0xE0 ? byte + 0x20 : byte == 0xA8 ? 0xB8 : byte);
            } else if (c != '+' && c != '-') {
                if (!word.empty()) words.insert(word);
                word.clear();
            }
        }
    }
    return words;
}

Phones label_phones(const std::string& file) {
    Phones phones;
    std::istringstream lines(vl::read_file(vl::utf8_path(file)).value_or(""));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string time, colour, name;
        if (fields >> time >> colour >> name && name != "pau") phones.push_back(name);
    }
    return phones;
}

Phones our_phones(const std::string& text, const velnor::Lexicon* lexicon) {
    Phones phones;
    velnor::PhraseReader reader(text, lexicon);
    while (std::optional<velnor::Phrase> phrase = reader.next())
        for (const velnor::SpokenPhone& p : phrase->phones) phones.emplace_back(velnor::kPhoneNames[p.phone]);
    return phones;
}

size_t edit_distance(const Phones& a, const Phones& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string joined(const Phones& phones) {
    std::string text;
    for (const std::string& p : phones) text += (text.empty() ? "" : " ") + p;
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: bench_letters_to_phones VOICE_FOLDER [--no-lexicon|--unknown-words] [--show N] [--text TEXT]\n";
        return 2;
    }
    const std::string folder = argv[1];
    bool use_lexicon = true;
    bool unknown_words = false;
    size_t show = 0;
    std::optional<std::string> text;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-lexicon") use_lexicon = false;
        else if (arg == "--unknown-words") unknown_words = true;
        else if (arg == "--show" && i + 1 < argc) show = std::stoul(argv[++i]);
        else if (arg == "--text" && i + 1 < argc) text = vl::to_cp1251(vl::utf8_to_utf16(argv[++i]), ' ');
    }
    const std::optional<std::string> dictionary = vl::read_file(vl::utf8_path(folder + "/dict/msu_ru_nsh_dict.scm"));
    if (!dictionary) {
        std::cerr << "cannot read " << folder << "/dict/msu_ru_nsh_dict.scm\n";
        return 1;
    }
    const std::vector<Sentence> sentences = read_sentences(folder + "/etc/txt.done.data");
    std::vector<velnor::LexiconEntry> entries = vl::stress_tool::read_festival_lexicon(*dictionary).entries;
    if (unknown_words) {
        const std::set<std::string> corpus_words = words_of(sentences);
        std::erase_if(entries, [&](const velnor::LexiconEntry& e) { return corpus_words.contains(e.word); });
    }
    const std::vector<uint8_t> image = velnor::build_lexicon(std::move(entries));
    const velnor::Lexicon lexicon(image);
    if (text) {
        std::cout << joined(our_phones(*text, use_lexicon ? &lexicon : nullptr)) << '\n';
        return 0;
    }

    struct Result {
        size_t errors;
        std::string name, label, ours;
    };
    std::vector<Result> results;
    size_t errors = 0, total = 0;
    for (const Sentence& sentence : sentences) {
        const Phones label = label_phones(folder + "/lab/" + sentence.name + ".lab");
        if (label.empty()) continue;
        const Phones ours = our_phones(sentence.text, use_lexicon ? &lexicon : nullptr);
        const size_t distance = edit_distance(label, ours);
        errors += distance;
        total += label.size();
        results.push_back({distance, sentence.name, joined(label), joined(ours)});
    }
    std::stable_sort(results.begin(), results.end(), [](const Result& a, const Result& b) { return a.errors > b.errors; });
    for (size_t i = 0; i < show && i < results.size(); ++i)
        std::cout << results[i].name << " " << results[i].errors << "\n  " << results[i].label << "\n  "
                  << results[i].ours << "\n";
    std::printf("%zu sentences, lexicon of %zu words (%zu bytes)%s: %zu errors in %zu label phones, %.3f%%\n",
                results.size(), lexicon.size(), image.size(), use_lexicon ? "" : " not used", errors, total,
                total ? 100.0 * static_cast<double>(errors) / static_cast<double>(total) : 0.0);
    return 0;
}
