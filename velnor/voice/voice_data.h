#pragma once
// The parts of a voice file, checked once and then read in place: every index
// and range in them has been found inside the file, so synthesis trusts them.
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "velnor/voice/voice_format.h"

namespace velnor {

struct VoiceData {
    std::span<const Unit> units;
    std::span<const uint32_t> marks;
    std::span<const uint8_t> samples;  // mu-law
    std::span<const uint32_t> phone_starts;  // kPhoneNames.size() + 1 offsets into units_by_phone
    std::span<const uint32_t> units_by_phone;
    std::span<const uint8_t> lexicon;
    float pitch_low_hz = 0, pitch_high_hz = 0;

    // The units of one phone, in recording order.
    std::span<const uint32_t> units_of(uint8_t phone) const {
        return units_by_phone.subspan(phone_starts[phone], phone_starts[phone + 1] - phone_starts[phone]);
    }
    // Unit b follows unit a in their recording: joined, they are the recording itself.
    bool follows_in_recording(uint32_t a, uint32_t b) const { return b == a + 1 && (units[a].flags & kContinues); }
};

// The voice in `bytes` (8-byte aligned), or why it cannot be used.
std::variant<VoiceData, std::string> read_voice(std::span<const uint8_t> bytes);

}  // namespace velnor
