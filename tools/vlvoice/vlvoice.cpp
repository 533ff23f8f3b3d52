// vlvoice: builds the velnor voice file from a festvox voice folder.
// Usage: vlvoice --voice-dir DIR [--lexicon FILE.scm] [--leave-out FILE] OUTPUT
// The output is written beside its final name and renamed into place, so a
// failed build never leaves a half-written voice.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>

#include "tools/vlstress/festival_lexicon.h"
#include "tools/vlvoice/corpus.h"
#include "tools/vlvoice/voice_builder.h"

namespace {

constexpr const char* kUsage = "usage: vlvoice --voice-dir DIR [--lexicon FILE.scm] [--leave-out FILE] OUTPUT";

std::set<std::string> read_names(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::set<std::string> names;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty()) names.insert(line);
    }
    return names;
}

int run(int argc, char** argv) {
    std::string voice_dir, lexicon_path, leave_out_path, output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--voice-dir") voice_dir = value();
        else if (arg == "--lexicon") lexicon_path = value();
        else if (arg == "--leave-out") leave_out_path = value();
        else if (!arg.empty() && arg[0] == '-') throw std::invalid_argument("unknown option " + arg);
        else if (output.empty()) output = arg;
        else throw std::invalid_argument("more than one output");
    }
    if (voice_dir.empty() || output.empty()) throw std::invalid_argument(kUsage);
    const std::set<std::string> leave_out = leave_out_path.empty() ? std::set<std::string>{} : read_names(leave_out_path);

    vl::voice_tool::VoiceBuilder builder;
    size_t used = 0;
    for (const vl::voice_tool::CorpusEntry& entry : vl::voice_tool::corpus_entries(voice_dir)) {
        if (leave_out.count(entry.name)) continue;
        builder.add(vl::voice_tool::read_utterance(voice_dir, entry));
        ++used;
    }
    std::vector<uint8_t> lexicon;
    if (!lexicon_path.empty()) {
        std::ifstream in(lexicon_path, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in && !in.eof()) throw std::runtime_error("cannot read " + lexicon_path);
        lexicon = velnor::build_lexicon(vl::stress_tool::read_festival_lexicon(text).entries);
    }
    const std::vector<uint8_t> file = builder.finish(lexicon);

    const std::string temporary = output + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            throw std::runtime_error("cannot write " + temporary);
        }
    }
    std::filesystem::rename(temporary, output);
    std::cout << output << ": " << used << " utterances, " << builder.unit_count() << " units, "
              << builder.sample_count() / velnor::kVoiceSampleRate << " s of audio, " << file.size() << " bytes\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::invalid_argument& e) {
        std::cerr << "vlvoice: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "vlvoice: " << e.what() << "\n";
        return 1;
    }
}
