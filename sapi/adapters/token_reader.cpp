#include "sapi/adapters/token_reader.h"

#include <memory>

namespace vl::sapi {
namespace {

struct CoTaskMemDeleter {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};
using CoTaskString = std::unique_ptr<wchar_t, CoTaskMemDeleter>;

std::u16string to_u16(const CoTaskString& text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text.get())) : std::u16string();
}

}  // namespace

int32_t SapiVoiceToken::voice_name(std::u16string& name) {
    wchar_t* text = nullptr;
    const HRESULT result = token_.GetStringValue(nullptr, &text);
    const CoTaskString owned(text);
    if (FAILED(result)) return result;
    name = to_u16(owned);
    return result;
}

int32_t SapiVoiceToken::language(std::optional<std::u16string>& language) {
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

}  // namespace vl::sapi
