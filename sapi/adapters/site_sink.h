#pragma once
// The speak driver's output sink over the speech runtime's output site.
#include "engine/speak_request.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

class SiteSink final : public OutputSink {
public:
    explicit SiteSink(ISpTTSEngineSite& site) : site_(site) {}

    uint32_t get_actions() override;
    int32_t get_rate() override;
    uint16_t get_volume() override;
    bool get_sentence_skip(int32_t& sentences) override;
    void complete_skip(int32_t skipped) override;
    uint64_t get_event_interest() override;
    // Silence is written without asking for the count written, audio with it.
    // A failure, or "audio stopped" (whatever part of the bytes was taken),
    // ends the output.
    bool write(const void* bytes, uint32_t count, WriteKind kind) override;
    void add_event(const SpeakEvent& event) override;

private:
    ISpTTSEngineSite& site_;
};

}  // namespace vl::sapi
