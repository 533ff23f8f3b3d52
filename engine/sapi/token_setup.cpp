// SetObjectToken and GetObjectToken: the token is kept under the object's
// mutex and read through the portable voice set-up.
#include <utility>

#include "engine/engine_state.h"
#include "engine/sapi/voice_object.h"
#include "engine/sapi/voice_operations.h"
#include "engine/synth_engine.h"
#include "engine/voice_setup.h"
#include "platform/app_data.h"
#include "sapi/adapters/token_reader.h"

namespace vl::sapi {
namespace {

struct TokenReference {
    ISpObjectToken* token;
    ~TokenReference() { token->Release(); }
};

}  // namespace

HRESULT set_up_from_token(VoiceObject& object, ISpObjectToken* token) {
    if (token == nullptr) return E_INVALIDARG;
    SynthEngine& engine = velnor_engine();
    if (engine.ready() == 0) return E_FAIL;

    token->AddRef();  // the object's
    AcquireSRWLockExclusive(&object.mutex);
    ISpObjectToken* previous = std::exchange(object.token, token);
    ReleaseSRWLockExclusive(&object.mutex);
    if (previous != nullptr) previous->Release();

    token->AddRef();  // this call's, should the token be replaced meanwhile
    const TokenReference held{token};
    SapiVoiceToken reader(*token);
    return set_up_voice(reader, application_data_folder(), engine_state(), engine, object.library);
}

HRESULT copy_token(VoiceObject& object, ISpObjectToken** token) {
    if (token == nullptr) return E_POINTER;
    AcquireSRWLockShared(&object.mutex);
    *token = object.token;
    if (*token != nullptr) (*token)->AddRef();
    ReleaseSRWLockShared(&object.mutex);
    return *token != nullptr ? S_OK : E_FAIL;
}

}  // namespace vl::sapi
