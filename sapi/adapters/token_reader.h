#pragma once
// What voice set-up reads from a registry voice token: its default value and
// the "Language" value of its "Attributes" key.
#include "engine/voice_setup.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

class SapiVoiceToken final : public VoiceToken {
public:
    explicit SapiVoiceToken(ISpObjectToken& token) : token_(token) {}

    int32_t voice_name(std::u16string& name) override;
    int32_t language(std::optional<std::u16string>& language) override;

private:
    ISpObjectToken& token_;
};

}  // namespace vl::sapi
