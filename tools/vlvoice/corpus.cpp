#include "tools/vlvoice/corpus.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "tools/vlvoice/resample.h"
#include "velnor/phonetics/phone_set.h"
#include "velnor/voice/voice_format.h"

namespace vl::voice_tool {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::string& bytes, size_t at) {
    uint32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

std::vector<int16_t> read_wav(const std::string& path) {
    const std::string bytes = read_file(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        throw std::runtime_error(path + " is not a WAV file");
    uint32_t rate = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = le32(bytes, at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) throw std::runtime_error(path + " is truncated");
        if (id == "fmt ") {
            if (size < 16) throw std::runtime_error(path + " has a short format chunk");
            uint16_t format, channels, bits;
            std::memcpy(&format, bytes.data() + body, 2);
            std::memcpy(&channels, bytes.data() + body + 2, 2);
            std::memcpy(&bits, bytes.data() + body + 14, 2);
            rate = le32(bytes, body + 4);
            if (format != 1 || channels != 1 || bits != 16) throw std::runtime_error(path + " is not 16-bit mono PCM");
        } else if (id == "data") {
            if (rate == 0) throw std::runtime_error(path + " has its data before its format");
            std::vector<int16_t> samples(size / 2);
            std::memcpy(samples.data(), bytes.data() + body, samples.size() * 2);
            return resample(samples, static_cast<int>(rate), velnor::kVoiceSampleRate);
        }
        at = body + size + (size & 1);
    }
    throw std::runtime_error(path + " has no audio");
}

std::vector<LabelledPhone> read_labels(const std::string& path) {
    std::istringstream in(read_file(path));
    std::string line;
    bool body = false;
    std::vector<LabelledPhone> phones;
    while (std::getline(in, line)) {
        if (!body) {
            body = line.rfind('#', 0) == 0;
            continue;
        }
        std::istringstream fields(line);
        double end;
        int colour;
        std::string name;
        if (!(fields >> end >> colour >> name)) continue;
        const auto phone = velnor::phone_by_name(name);
        if (!phone) throw std::runtime_error(path + " has an unknown phone " + name);
        phones.push_back({*phone, end});
    }
    if (phones.empty()) throw std::runtime_error(path + " has no phones");
    return phones;
}

// An EST track: a text header up to "EST_Header_End", then per frame its time,
// a break flag and the channels, as little-endian floats.
std::vector<CepstrumFrame> read_track(const std::string& path) {
    const std::string bytes = read_file(path);
    const std::string end_marker = "EST_Header_End\n";
    const size_t header_end = bytes.find(end_marker);
    if (header_end == std::string::npos) throw std::runtime_error(path + " is not an EST track");
    const std::string header = bytes.substr(0, header_end);
    auto field = [&](const std::string& key) {
        const size_t at = header.find("\n" + key + " ");
        if (at == std::string::npos) throw std::runtime_error(path + " lacks " + key);
        return header.substr(at + key.size() + 2, header.find('\n', at + 1) - at - key.size() - 2);
    };
    if (field("DataType") != "binary" || field("ByteOrder") != "01" || field("BreaksPresent") != "true")
        throw std::runtime_error(path + " is not a little-endian binary track with breaks");
    const size_t frames = std::stoul(field("NumFrames"));
    const size_t channels = std::stoul(field("NumChannels"));
    if (channels != 12) throw std::runtime_error(path + " does not have 12 channels");
    const size_t stride = (2 + channels) * 4;
    const size_t data = header_end + end_marker.size();
    if (bytes.size() - data < frames * stride) throw std::runtime_error(path + " is truncated");
    std::vector<CepstrumFrame> track(frames);
    for (size_t f = 0; f < frames; ++f) {
        float values[14];
        std::memcpy(values, bytes.data() + data + f * stride, stride);
        track[f].seconds = values[0];
        std::copy(values + 2, values + 14, track[f].values.begin());
    }
    return track;
}

}  // namespace

std::vector<CorpusEntry> corpus_entries(const std::string& voice_dir) {
    std::istringstream in(read_file(voice_dir + "/etc/txt.done.data"));
    std::vector<CorpusEntry> entries;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string paren, name;
        if (!(fields >> paren >> name) || paren != "(") continue;
        // ( NAME "TEXT" ): the last mark before the closing quote.
        const size_t quote = line.rfind('"');
        const size_t mark = quote == std::string::npos ? std::string::npos : line.find_last_not_of(' ', quote - 1);
        entries.push_back({name, mark != std::string::npos && line[mark] == '?'});
    }
    if (entries.empty()) throw std::runtime_error(voice_dir + "/etc/txt.done.data lists no utterances");
    return entries;
}

Utterance read_utterance(const std::string& voice_dir, const CorpusEntry& entry) {
    Utterance u;
    u.name = entry.name;
    u.question = entry.question;
    u.audio = read_wav(voice_dir + "/wav/" + entry.name + ".wav");
    u.phones = read_labels(voice_dir + "/lab/" + entry.name + ".lab");
    u.frames = read_track(voice_dir + "/mcep/" + entry.name + ".mcep");
    return u;
}

}  // namespace vl::voice_tool
