// The engine DLL as a COM server: its registration, its class object, the
// class factory and what keeps the library loaded.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "sapi/vlsapi/tests/loaded_engine.h"

namespace vl::sapi {
namespace {

TEST_F(SapiTest, RegistrationWritesAndRemovesTheClassKeys) {
    const std::wstring class_key = std::wstring(L"CLSID\\") + kVoiceClassIdText;
    const std::wstring server_key = class_key + L"\\InProcServer32";
    const auto read = [](const std::wstring& key, const wchar_t* name, std::wstring& value) {
        wchar_t text[MAX_PATH] = {};
        DWORD bytes = sizeof text;
        DWORD type = 0;
        const LSTATUS status = RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_ANY, &type, text, &bytes);
        value = text;
        return status == ERROR_SUCCESS && type == REG_SZ && bytes == (value.size() + 1) * sizeof(wchar_t);
    };
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(engine_.module, path, MAX_PATH);

    ASSERT_EQ(engine_.register_server(), S_OK);
    std::wstring value;
    ASSERT_TRUE(read(class_key, nullptr, value));
    EXPECT_EQ(value, L"Velnor_SAPI");
    ASSERT_TRUE(read(server_key, nullptr, value));
    EXPECT_EQ(value, path);
    ASSERT_TRUE(read(server_key, L"ThreadingModel", value));
    EXPECT_EQ(value, L"Both");

    EXPECT_EQ(engine_.unregister_server(), S_OK);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, class_key.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(engine_.unregister_server(), S_OK) << "a second unregistration is no failure";
    EXPECT_EQ(engine_.register_server(), S_OK);  // as the other tests and hosts expect
}

TEST_F(SapiTest, ClassObjectOnlyForTheVoiceClass) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(engine_.get_class_object(IID_IClassFactory, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(engine_.get_class_object(voice_class_id(), IID_ISpTTSEngine, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(engine_.get_class_object(voice_class_id(), IID_IClassFactory, nullptr), E_POINTER);

    ComPtr<IUnknown> unknown;
    EXPECT_EQ(factory_.As(&unknown), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(factory_.Get()));
}

TEST_F(SapiTest, AggregationIsRefused) {
    ComPtr<IUnknown> outer = factory_;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory_->CreateInstance(outer.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(SapiTest, ObjectsFactoriesAndLocksKeepTheLibrary) {
    EXPECT_EQ(engine_.can_unload_now(), S_FALSE) << "a factory is alive";
    ComPtr<ISpTTSEngine> voice = create_voice();
    EXPECT_EQ(factory_->LockServer(TRUE), S_OK);
    factory_.Reset();
    EXPECT_EQ(engine_.can_unload_now(), S_FALSE) << "an object and a lock";
    voice.Reset();
    EXPECT_EQ(engine_.can_unload_now(), S_FALSE) << "a lock";
    ASSERT_EQ(engine_.get_class_object(voice_class_id(), IID_IClassFactory,
                                       reinterpret_cast<void**>(factory_.GetAddressOf())),
              S_OK);
    EXPECT_EQ(factory_->LockServer(FALSE), S_OK);
    factory_.Reset();
    EXPECT_EQ(engine_.can_unload_now(), S_OK);
}

}  // namespace
}  // namespace vl::sapi
