// SetObjectToken and GetObjectToken: the token is kept under the object's
// mutex and read through the portable voice set-up.
#include <memory>
#include <utility>

#include "engine/engine_state.h"
#include "engine/sapi/voice_object.h"
#include "engine/sapi/voice_operations.h"
#include "engine/synth_engine.h"
#include "engine/voice_setup.h"
#include "platform/app_data.h"

namespace vl::sapi {
namespace {

struct CoTaskMemDeleter {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};
using CoTaskString = std::unique_ptr<wchar_t, CoTaskMemDeleter>;

std::u16string to_u16(const CoTaskString& text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text.get())) : std::u16string();
}

// What set-up reads from a registry voice token.
class SapiVoiceToken final : public VoiceToken {
public:
    explicit SapiVoiceToken(ISpObjectToken& token) : token_(token) {}

    int32_t voice_name(std::u16string& name) override {
        wchar_t* text = nullptr;
        const HRESULT result = token_.GetStringValue(nullptr, &text);
        const CoTaskString owned(text);
        if (FAILED(result)) return result;
        name = to_u16(owned);
        return result;
    }

    int32_t language(std::optional<std::u16string>& language) override {
        ISpDataKey* attributes = nullptr;
        HRESULT result = token_.OpenKey(L"Attributes", &attributes);
        if (FAILED(result)) return result;
        if (attributes == nullptr) {
            language.reset();
            return result;
        }
        wchar_t* text = nullptr;
        result = attributes->GetStringValue(L"Language", &text);
        attributes->Release();
        const CoTaskString owned(text);
        if (FAILED(result)) return result;
        language = to_u16(owned);
        return result;
    }

private:
    ISpObjectToken& token_;
};

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
