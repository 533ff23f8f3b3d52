// SetObjectToken and GetObjectToken: the token is kept under the object's
// mutex and read through the portable voice set-up.
#include <utility>

#include "engine/engine_state.h"
#include "engine/synth_engine.h"
#include "engine/voice_setup.h"
#include "platform/app_data.h"
#include "sapi/adapters/token_reader.h"
#include "sapi/vlsapi/voice_object.h"

namespace vl::sapi {
namespace {

struct TokenReference {
    ISpObjectToken* token;
    ~TokenReference() { token->Release(); }
};

}  // namespace

HRESULT VoiceObject::SetObjectToken(ISpObjectToken* token) {
    return guarded([&]() -> HRESULT {
        if (token == nullptr) return E_INVALIDARG;
        SynthEngine& engine = velnor_engine();
        if (engine.ready() == 0) return E_FAIL;

        token->AddRef();  // the object's
        AcquireSRWLockExclusive(&token_mutex_);
        ISpObjectToken* previous = std::exchange(token_, token);
        ReleaseSRWLockExclusive(&token_mutex_);
        if (previous != nullptr) previous->Release();

        token->AddRef();  // this call's, should the token be replaced meanwhile
        const TokenReference held{token};
        SapiVoiceToken reader(*token);
        return set_up_voice(reader, application_data_folder(), engine_state(), engine, library_);
    });
}

HRESULT VoiceObject::GetObjectToken(ISpObjectToken** token) {
    if (token == nullptr) return E_POINTER;
    AcquireSRWLockShared(&token_mutex_);
    *token = token_;
    if (*token != nullptr) (*token)->AddRef();
    ReleaseSRWLockShared(&token_mutex_);
    return *token != nullptr ? S_OK : E_FAIL;
}

}  // namespace vl::sapi
