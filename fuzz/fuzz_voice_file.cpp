// Feeds arbitrary bytes to the voice file's reader, once as they are and once
// with the header's size and checksum made to fit (else nearly every input
// stops at the checksum). A voice the reader accepts is then spoken from: its
// checks must be enough for selection and signal making to stay in bounds.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <variant>
#include <vector>

#include "velnor/block_output.h"
#include "velnor/synthesis/prosody.h"
#include "velnor/synthesis/psola.h"
#include "velnor/synthesis/unit_selection.h"
#include "velnor/voice/voice_data.h"

namespace {

int32_t VELNOR_CALL discard(void*, const uint8_t*, int32_t) { return 0; }

void speak_from(const velnor::VoiceData& voice) {
    std::vector<velnor::SpokenPhone> phones;
    for (const char* name : {"pp", "rr", "ii", "vv", "ee", "t"})
        phones.push_back({*velnor::phone_by_name(name), 0});
    std::vector<size_t> phone_of_target;
    const auto targets = velnor::phrase_targets(voice, phones, velnor::PhraseEnd::question, phone_of_target);
    const auto units = velnor::select_units(voice, targets);
    const auto plan = velnor::plan_prosody(voice, targets, units, velnor::PhraseEnd::question, 1.3f);
    std::atomic<bool> stop{false};
    std::atomic<uint32_t> epoch{0};
    velnor::BlockOutput out(discard, nullptr, 1.0f, {&stop, &epoch, 0});
    velnor::PhraseRenderer(voice, velnor::pitch_map(voice, {190, 330}), 1.27f, out).add(plan, {}, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Eight-byte aligned, as a mapping is.
    std::vector<uint64_t> words((size + 7) / 8);
    std::memcpy(words.data(), data, size);
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(words.data()), size);
    (void)velnor::read_voice(bytes);
    if (size >= sizeof(velnor::VoiceHeader)) {
        velnor::VoiceHeader header;
        std::memcpy(&header, bytes.data(), sizeof header);
        std::memcpy(header.magic, velnor::kVoiceMagic, sizeof header.magic);
        header.version = velnor::kVoiceVersion;
        header.file_size = size;
        header.checksum = velnor::voice_checksum(bytes.data() + sizeof header, size - sizeof header);
        std::memcpy(bytes.data(), &header, sizeof header);
        const auto voice = velnor::read_voice(bytes);
        if (const auto* usable = std::get_if<velnor::VoiceData>(&voice)) speak_from(*usable);
    }
    return 0;
}
