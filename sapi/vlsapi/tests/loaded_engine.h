#pragma once
// vlsapi.dll loaded by hand through its exports, voice tokens written to the
// registry as an installation writes them, and a test fixture that holds the
// library and its class factory for the length of one test.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "sapi/com/class_id.h"
#include "sapi/com/sapi_declarations.h"
#include "sapi/testkit/registry_token.h"

namespace vl::sapi {

using Microsoft::WRL::ComPtr;

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using NoArguments = HRESULT(STDAPICALLTYPE*)();

const wchar_t* const kTokensKey = L"Software\\VelnorTests\\Tokens";

struct Engine {
    HMODULE module = nullptr;
    GetClassObject get_class_object = nullptr;
    NoArguments can_unload_now = nullptr;
    NoArguments register_server = nullptr;
    NoArguments unregister_server = nullptr;

    static Engine load() {
        Engine engine;
        engine.module = LoadLibraryW(L"vlsapi.dll");
        if (engine.module == nullptr) return engine;
        engine.get_class_object =
            reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(engine.module, "DllGetClassObject")));
        engine.can_unload_now = reinterpret_cast<NoArguments>(GetProcAddress(engine.module, "DllCanUnloadNow"));
        engine.register_server = reinterpret_cast<NoArguments>(GetProcAddress(engine.module, "DllRegisterServer"));
        engine.unregister_server =
            reinterpret_cast<NoArguments>(GetProcAddress(engine.module, "DllUnregisterServer"));
        return engine;
    }
};

inline std::wstring token_id(const std::wstring& name) { return L"HKCU\\" + std::wstring(kTokensKey) + L"\\" + name; }

// A voice token as an installation writes it; without a language no "Attributes" key.
inline void write_token(const std::wstring& name, const std::wstring& voice, const wchar_t* language) {
    const std::wstring key = std::wstring(kTokensKey) + L"\\" + name;
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    const auto bytes = [](const std::wstring& text) { return static_cast<DWORD>((text.size() + 1) * 2); };
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, REG_SZ, voice.c_str(), bytes(voice));
    if (language != nullptr) {
        RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\Attributes").c_str(), L"Language", REG_SZ, language,
                        bytes(language));
    }
}

inline ComPtr<ISpObjectToken> open_token(const std::wstring& name) {
    ComPtr<ISpObjectToken> token;
    EXPECT_EQ(RegistryToken::open(token_id(name), token.GetAddressOf()), S_OK) << "token " << name.size();
    return token;
}

class SapiTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_ = Engine::load();
        ASSERT_NE(engine_.module, nullptr);
        ASSERT_NE(engine_.get_class_object, nullptr);
        ASSERT_EQ(engine_.get_class_object(voice_class_id(), IID_IClassFactory,
                                           reinterpret_cast<void**>(factory_.GetAddressOf())),
                  S_OK);
    }

    void TearDown() override {
        factory_.Reset();
        EXPECT_EQ(engine_.can_unload_now(), S_OK);
        FreeLibrary(engine_.module);
        EXPECT_EQ(GetModuleHandleW(L"vlsapi.dll"), nullptr) << "the engine stayed loaded";
    }

    ComPtr<ISpTTSEngine> create_voice() {
        ComPtr<ISpTTSEngine> voice;
        EXPECT_EQ(factory_->CreateInstance(nullptr, IID_ISpTTSEngine, reinterpret_cast<void**>(voice.GetAddressOf())),
                  S_OK);
        return voice;
    }

    static ComPtr<ISpObjectWithToken> with_token(const ComPtr<ISpTTSEngine>& voice) {
        ComPtr<ISpObjectWithToken> object;
        EXPECT_EQ(voice.As(&object), S_OK);
        return object;
    }

    // A voice set up from a Russian token.
    ComPtr<ISpTTSEngine> russian_voice() {
        write_token(L"Russian", L"Velnor_Male1_Russian", L"419");
        ComPtr<ISpTTSEngine> voice = create_voice();
        EXPECT_EQ(with_token(voice)->SetObjectToken(open_token(L"Russian").Get()), S_OK);
        return voice;
    }

    Engine engine_;
    ComPtr<IClassFactory> factory_;
};

}  // namespace vl::sapi
