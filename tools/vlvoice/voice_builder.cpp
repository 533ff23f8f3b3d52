#include "tools/vlvoice/voice_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "tools/vlvoice/spectral_pull.h"
#include "velnor/phonetics/phone_set.h"
#include "velnor/noise_shaper.h"
#include "velnor/voice/mu_law.h"
#include "velnor/voice/phone_voicing.h"

namespace vl::voice_tool {
namespace {

using velnor::kPause;
using velnor::Unit;

constexpr double kRate = velnor::kVoiceSampleRate;
constexpr long kMargin = 300;      // samples of the pauses kept around speech, for the grains at its edges
constexpr double kCodingShaping = 0.7;       // how closely the stored audio's coding noise follows its spectrum
constexpr float kMaxCodingNoise = 4096.0f;  // of a 16-bit sample: eight times mu-law's largest half step
constexpr double kContextPull = 0.5;      // how far each unit's spectrum goes toward its context's mean
constexpr long kEdgeWindow = 100;  // samples over which a unit's edge loudness is measured

long to_samples(double seconds) { return std::lround(seconds * kRate); }

int8_t clamp8(double v) { return static_cast<int8_t>(std::clamp(std::lround(v), -127L, 127L)); }

int8_t loudness_db(const std::vector<int16_t>& audio, long from, long to) {
    from = std::clamp(from, 0L, static_cast<long>(audio.size()));
    to = std::clamp(to, from, static_cast<long>(audio.size()));
    double sum = 0;
    for (long i = from; i < to; ++i) sum += static_cast<double>(audio[i]) * audio[i];
    const double rms = to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0;
    return clamp8(20 * std::log10(std::max(rms, 1.0) / 32768.0));
}

void cepstrum_at(const std::vector<CepstrumFrame>& frames, double seconds, int8_t* out) {
    auto it = std::lower_bound(frames.begin(), frames.end(), seconds,
                               [](const CepstrumFrame& f, double s) { return f.seconds < s; });
    if (it == frames.end()) --it;
    if (it != frames.begin() && seconds - std::prev(it)->seconds < it->seconds - seconds) --it;
    for (int c = 0; c < velnor::kJoinCoefficients; ++c) out[c] = clamp8(it->values[c] * 16);
}

uint16_t pitch_code(uint32_t from, uint32_t to) {
    const double hz = kRate / static_cast<double>(to - from);
    return hz >= 50 && hz <= 400 ? static_cast<uint16_t>(std::lround(hz * 8)) : 0;
}

template <typename T>
void append(std::vector<uint8_t>& file, const std::vector<T>& items) {
    const size_t at = file.size();
    file.resize(at + items.size() * sizeof(T));
    if (!items.empty()) std::memcpy(file.data() + at, items.data(), items.size() * sizeof(T));
    file.resize((file.size() + 7) / 8 * 8, 0);
}

}  // namespace

void VoiceBuilder::add(const Utterance& u) {
    size_t i = 0;
    while (i < u.phones.size()) {
        if (u.phones[i].phone == kPause) {
            ++i;
            continue;
        }
        size_t last = i;
        while (last + 1 < u.phones.size() && u.phones[last + 1].phone != kPause) ++last;
        bool ends_sentence = true;
        for (size_t p = last + 1; p < u.phones.size(); ++p) ends_sentence &= u.phones[p].phone == kPause;
        const uint8_t ending = !ends_sentence ? 0 : u.question ? velnor::kEndsQuestion : velnor::kEndsStatement;
        add_run(u, i, last, ending);
        i = last + 1;
    }
}

// Phones first..last of the utterance, none of them a pause; `ending` is the
// flag of how the stretch ends.
void VoiceBuilder::add_run(const Utterance& u, size_t first, size_t last, uint8_t ending) {
    auto start_of = [&](size_t p) { return p == 0 ? 0L : to_samples(u.phones[p - 1].end_seconds); };
    const long audio_size = static_cast<long>(u.audio.size());
    const long from = std::clamp(start_of(first) - kMargin, 0L, audio_size);
    const long to = std::clamp(to_samples(u.phones[last].end_seconds) + kMargin, from, audio_size);
    if (to - from < 2) return;
    const long base = static_cast<long>(audio_.size()) - from;  // recording sample -> file sample
    runs_.push_back({audio_.size(), audio_.size() + static_cast<size_t>(to - from)});
    audio_.insert(audio_.end(), u.audio.begin() + from, u.audio.begin() + to);

    const size_t first_mark = marks_.size();
    for (const CepstrumFrame& f : u.frames) {
        const long s = to_samples(f.seconds);
        if (s < from || s >= to) continue;
        const auto mark = static_cast<uint32_t>(s + base);
        if (marks_.size() == first_mark || mark > marks_.back()) marks_.push_back(mark);
    }

    auto vowels_in = [&](size_t begin, size_t end) {
        size_t count = 0;
        for (size_t p = begin; p < end; ++p) count += velnor::is_vowel(u.phones[p].phone);
        return static_cast<uint8_t>(std::min<size_t>(count, 255));
    };
    bool previous_continues = false;
    for (size_t p = first; p <= last; ++p) {
        const long start = std::max(start_of(p), from), end = std::min(to_samples(u.phones[p].end_seconds), to);
        if (end <= start) {
            if (previous_continues) units_.back().flags &= ~velnor::kContinues;
            previous_continues = false;
            continue;
        }
        Unit unit{};
        unit.start = static_cast<uint32_t>(start + base);
        unit.end = static_cast<uint32_t>(end + base);
        const auto begin_mark = std::lower_bound(marks_.begin() + static_cast<long>(first_mark), marks_.end(), unit.start);
        const auto end_mark = std::lower_bound(begin_mark, marks_.end(), unit.end);
        unit.first_mark = static_cast<uint32_t>(begin_mark - marks_.begin());
        unit.mark_count = static_cast<uint16_t>(std::min<long>(end_mark - begin_mark, 65535));
        unit.phone = u.phones[p].phone;
        unit.left = p == 0 ? kPause : u.phones[p - 1].phone;
        unit.right = p + 1 == u.phones.size() ? kPause : u.phones[p + 1].phone;
        unit.flags = static_cast<uint8_t>(ending | (p < last ? velnor::kContinues : 0));
        unit.vowels_before = vowels_in(first, p);
        unit.vowels_after = vowels_in(p + 1, last + 1);
        if (velnor::is_voiced(unit.phone) && unit.mark_count >= 2) {
            const uint32_t* m = &marks_[unit.first_mark];
            unit.f0_start = pitch_code(m[0], m[1]);
            unit.f0_end = pitch_code(m[unit.mark_count - 2], m[unit.mark_count - 1]);
            if (velnor::is_vowel(unit.phone))
                for (uint16_t k = 1; k < unit.mark_count; ++k)
                    if (const uint16_t code = pitch_code(m[k - 1], m[k])) vowel_pitch_.push_back(code / 8.0f);
        }
        unit.energy_start = loudness_db(u.audio, start, start + kEdgeWindow);
        unit.energy_end = loudness_db(u.audio, end - kEdgeWindow, end);
        cepstrum_at(u.frames, static_cast<double>(start) / kRate, unit.cepstrum_start);
        cepstrum_at(u.frames, static_cast<double>(end) / kRate, unit.cepstrum_end);
        units_.push_back(unit);
        previous_continues = p < last;
    }
}

// The audio, each unit pulled toward its context's spectrum, mu-law coded with
// the coding noise shaped under the speech's spectrum, run by run.
std::vector<uint8_t> VoiceBuilder::coded_samples() const {
    const std::vector<float> audio = pull_toward_context(audio_, units_, kContextPull);
    std::vector<uint8_t> samples(audio.size());
    for (const Run& run : runs_) {
        velnor::NoiseShaper shaper(kCodingShaping, kMaxCodingNoise);
        for (size_t s = run.begin; s < run.end; ++s)
            shaper.next(audio[s], [&](float wanted) {
                samples[s] = velnor::mu_law_encode(static_cast<int16_t>(std::clamp(std::lround(wanted), -32768L, 32767L)));
                return static_cast<float>(velnor::mu_law_decode(samples[s]));
            });
    }
    return samples;
}

std::vector<uint8_t> VoiceBuilder::finish(const std::vector<uint8_t>& lexicon) const {
    if (units_.empty() || vowel_pitch_.empty()) throw std::runtime_error("the recordings gave no units");
    std::vector<float> pitch = vowel_pitch_;
    std::sort(pitch.begin(), pitch.end());

    // Units grouped by phone, each group in recording order.
    const size_t phones = velnor::kPhoneNames.size();
    std::vector<uint32_t> by_phone(phones + 1 + units_.size(), 0);
    for (const Unit& u : units_) ++by_phone[u.phone + 1];
    for (size_t p = 1; p <= phones; ++p) by_phone[p] += by_phone[p - 1];
    std::vector<uint32_t> fill(by_phone.begin(), by_phone.begin() + static_cast<long>(phones));
    for (uint32_t i = 0; i < units_.size(); ++i) by_phone[phones + 1 + fill[units_[i].phone]++] = i;

    velnor::VoiceHeader header{};
    std::memcpy(header.magic, velnor::kVoiceMagic, sizeof header.magic);
    header.version = velnor::kVoiceVersion;
    header.section_count = 5;
    header.sample_rate = velnor::kVoiceSampleRate;
    header.pitch_low_hz = static_cast<uint16_t>(std::lround(pitch[pitch.size() / 10]));
    header.pitch_high_hz = static_cast<uint16_t>(std::lround(pitch[pitch.size() * 9 / 10]));

    std::vector<uint8_t> file(sizeof header + header.section_count * sizeof(velnor::SectionEntry), 0);
    file.resize((file.size() + 7) / 8 * 8, 0);
    std::vector<velnor::SectionEntry> table;
    auto section = [&](velnor::SectionId id, const auto& items) {
        const size_t at = file.size();
        append(file, items);
        table.push_back({static_cast<uint32_t>(id), 0, at, items.size() * sizeof(items[0])});
    };
    section(velnor::SectionId::units, units_);
    section(velnor::SectionId::marks, marks_);
    section(velnor::SectionId::by_phone, by_phone);
    section(velnor::SectionId::lexicon, lexicon);
    section(velnor::SectionId::samples, coded_samples());
    std::memcpy(file.data() + sizeof header, table.data(), table.size() * sizeof table[0]);
    header.file_size = file.size();
    header.checksum = velnor::voice_checksum(file.data() + sizeof header, file.size() - sizeof header);
    std::memcpy(file.data(), &header, sizeof header);
    return file;
}

}  // namespace vl::voice_tool
