#include "velnor/voice/voice_data.h"

#include <cstring>

#include "velnor/phonetics/phone_set.h"

namespace velnor {
namespace {

template <typename T>
std::span<const T> as_span(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const T*>(bytes.data()), bytes.size() / sizeof(T)};
}

std::string check_units(const VoiceData& voice) {
    const size_t phones = kPhoneNames.size();
    for (size_t i = 0; i < voice.units.size(); ++i) {
        const Unit& u = voice.units[i];
        if (u.start >= u.end || u.end > voice.samples.size()) return "a unit's audio lies outside the file";
        if (uint64_t{u.first_mark} + u.mark_count > voice.marks.size()) return "a unit's pitch marks lie outside the file";
        for (uint32_t m = u.first_mark; m < u.first_mark + u.mark_count; ++m)
            if (voice.marks[m] < u.start || voice.marks[m] >= u.end) return "a pitch mark lies outside its unit";
        if (u.phone >= phones || u.left >= phones || u.right >= phones) return "a unit has an unknown phone";
        if ((u.flags & kContinues) && (i + 1 == voice.units.size() || voice.units[i + 1].start != u.end))
            return "a unit continues into nothing";
    }
    for (size_t m = 1; m < voice.marks.size(); ++m)
        if (voice.marks[m] <= voice.marks[m - 1]) return "the pitch marks are out of order";
    if (!voice.marks.empty() && voice.marks.back() >= voice.samples.size()) return "a pitch mark lies outside the audio";
    return {};
}

std::string check_phone_index(std::span<const uint8_t> section, VoiceData& voice) {
    const size_t offsets = kPhoneNames.size() + 1;
    const auto words = as_span<uint32_t>(section);
    if (section.size() % 4 != 0 || words.size() != offsets + voice.units.size()) return "the phone index has the wrong size";
    voice.phone_starts = words.first(offsets);
    voice.units_by_phone = words.subspan(offsets);
    if (voice.phone_starts[0] != 0 || voice.phone_starts[offsets - 1] != voice.units.size())
        return "the phone index does not cover the units";
    for (size_t p = 0; p + 1 < offsets; ++p) {
        if (voice.phone_starts[p] > voice.phone_starts[p + 1]) return "the phone index is out of order";
        for (const uint32_t unit : voice.units_of(static_cast<uint8_t>(p)))
            if (unit >= voice.units.size() || voice.units[unit].phone != p) return "the phone index names a wrong unit";
    }
    return {};
}

}  // namespace

std::variant<VoiceData, std::string> read_voice(std::span<const uint8_t> bytes) {
    VoiceHeader header;
    if (bytes.size() < sizeof header) return "the file is too short to be a voice";
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, kVoiceMagic, sizeof kVoiceMagic) != 0) return "the file is not a voice";
    if (header.version != kVoiceVersion)
        return "the voice has version " + std::to_string(header.version) + ", this library reads " +
               std::to_string(kVoiceVersion);
    if (header.file_size != bytes.size()) return "the voice file is truncated or has bytes added";
    if (reinterpret_cast<uintptr_t>(bytes.data()) % 8 != 0) return "the voice is not aligned in memory";
    if (voice_checksum(bytes.data() + sizeof header, bytes.size() - sizeof header) != header.checksum)
        return "the voice file is damaged (checksum)";
    if (header.sample_rate != kVoiceSampleRate) return "the voice has an unexpected sample rate";
    if (header.section_count > 16 || sizeof header + header.section_count * sizeof(SectionEntry) > bytes.size())
        return "the voice's section table is damaged";

    std::span<const uint8_t> sections[6];
    bool present[6] = {};
    for (uint32_t i = 0; i < header.section_count; ++i) {
        SectionEntry entry;
        std::memcpy(&entry, bytes.data() + sizeof header + i * sizeof entry, sizeof entry);
        if (entry.offset % 8 != 0 || entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset)
            return "a section of the voice lies outside the file";
        if (entry.id == 0 || entry.id > 5 || present[entry.id]) return "the voice has an unknown or repeated section";
        present[entry.id] = true;
        sections[entry.id] = bytes.subspan(entry.offset, entry.size);
    }
    for (int id = 1; id <= 5; ++id)
        if (!present[id]) return "the voice lacks section " + std::to_string(id);

    VoiceData voice;
    const auto units = sections[static_cast<int>(SectionId::units)];
    const auto marks = sections[static_cast<int>(SectionId::marks)];
    if (units.size() % sizeof(Unit) != 0 || units.empty() || marks.size() % 4 != 0) return "the voice's tables have the wrong size";
    voice.units = as_span<Unit>(units);
    voice.marks = as_span<uint32_t>(marks);
    voice.samples = sections[static_cast<int>(SectionId::samples)];
    voice.lexicon = sections[static_cast<int>(SectionId::lexicon)];
    voice.pitch_low_hz = header.pitch_low_hz;
    voice.pitch_high_hz = header.pitch_high_hz;
    if (header.pitch_low_hz < 40 || header.pitch_high_hz <= header.pitch_low_hz || header.pitch_high_hz > 500)
        return "the voice's pitch range is implausible";
    if (std::string fault = check_units(voice); !fault.empty()) return fault;
    if (std::string fault = check_phone_index(sections[static_cast<int>(SectionId::by_phone)], voice); !fault.empty())
        return fault;
    return voice;
}

}  // namespace velnor
