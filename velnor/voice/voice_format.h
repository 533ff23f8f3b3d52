#pragma once
// Layout of the voice file: a header, a table of sections, then the sections,
// each 8-byte aligned. All numbers are little-endian; the structures are read
// in place from the mapped file, so every field has a fixed size and offset.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velnor {

inline constexpr char kVoiceMagic[8] = {'V', 'L', 'V', 'O', 'I', 'C', 'E', '\x1a'};
inline constexpr uint32_t kVoiceVersion = 2;
inline constexpr uint32_t kVoiceSampleRate = 10000;
inline constexpr int kJoinCoefficients = 11;  // mel-cepstral coefficients compared at a join

struct VoiceHeader {
    char magic[8];
    uint32_t version;
    uint32_t section_count;
    uint64_t file_size;
    uint64_t checksum;       // voice_checksum of every byte after the header
    uint32_t sample_rate;
    uint16_t pitch_low_hz;   // the speaker's usual pitch range: 10th and 90th percentile
    uint16_t pitch_high_hz;
    uint8_t reserved[24];
};
static_assert(sizeof(VoiceHeader) == 64);

enum class SectionId : uint32_t {
    units = 1,      // Unit[]
    marks = 2,      // uint32_t[]: pitch marks, sample positions, ascending within a run
    samples = 3,    // uint8_t[]: mu-law coded audio at kVoiceSampleRate
    by_phone = 4,   // uint32_t[kPhoneCount + 1] offsets, then unit indices grouped by phone
    lexicon = 5,    // the stress lexicon image
};

struct SectionEntry {
    uint32_t id;
    uint32_t reserved;
    uint64_t offset;
    uint64_t size;
};
static_assert(sizeof(SectionEntry) == 24);

// One phone of the recordings, with what selection needs to know of it. Its
// stretch of speech is the run of phones between two pauses; one that is not
// the recording's last ends where the speaker paused inside the sentence.
enum UnitFlags : uint8_t {
    kEndsStatement = 1,  // its stretch ends a sentence that is not a question
    kEndsQuestion = 2,   // its stretch ends a question
    kContinues = 4,      // the next unit follows it in the recording
};

struct Unit {
    uint32_t start, end;    // samples [start, end)
    uint32_t first_mark;    // pitch marks inside [start, end): first_mark .. + mark_count
    uint16_t mark_count;
    uint8_t phone, left, right;  // the phone and its neighbours in the recording
    uint8_t flags;
    uint16_t f0_start, f0_end;   // pitch at the edges, Hz x 8; 0 where unvoiced
    int8_t energy_start, energy_end;  // loudness at the edges, dB
    int8_t cepstrum_start[kJoinCoefficients];  // mel cepstrum at the edges, x 16
    int8_t cepstrum_end[kJoinCoefficients];
    uint8_t vowels_before, vowels_after;  // in its stretch of speech, at most 255
};
static_assert(sizeof(Unit) == 48);

// A fast 64-bit hash over the bytes, eight at a time.
inline uint64_t voice_checksum(const uint8_t* data, size_t size) {
    uint64_t hash = 0xcbf29ce484222325ull;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        hash = (hash ^ word) * 0x100000001b3ull;
        hash ^= hash >> 29;
    }
    for (; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ull;
    return hash;
}

}  // namespace velnor
