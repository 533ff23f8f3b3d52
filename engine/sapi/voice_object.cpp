#include "engine/sapi/voice_object.h"

#include <cstring>
#include <new>

#include "engine/engine_state.h"
#include "engine/sapi/voice_operations.h"
#include "sapi/com/com_object.h"
#include "sapi/com/module.h"

namespace vl::sapi {

struct TtsEngineTable {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(void* self, REFIID iid, void** object);
    ULONG(STDMETHODCALLTYPE* AddRef)(void* self);
    ULONG(STDMETHODCALLTYPE* Release)(void* self);
    HRESULT(STDMETHODCALLTYPE* Speak)(void* self, DWORD flags, REFGUID format_id, const WAVEFORMATEX* wave_format,
                                      const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site);
    HRESULT(STDMETHODCALLTYPE* GetOutputFormat)(void* self, const GUID* target_format_id,
                                                const WAVEFORMATEX* target_wave_format, GUID* format_id,
                                                WAVEFORMATEX** wave_format);
};

struct ObjectWithTokenTable {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(void* self, REFIID iid, void** object);
    ULONG(STDMETHODCALLTYPE* AddRef)(void* self);
    ULONG(STDMETHODCALLTYPE* Release)(void* self);
    HRESULT(STDMETHODCALLTYPE* SetObjectToken)(void* self, ISpObjectToken* token);
    HRESULT(STDMETHODCALLTYPE* GetObjectToken)(void* self, ISpObjectToken** token);
};

namespace {

// The shared tables, dictionary and log go with the last voice object only: a
// client that switches voices sets the new one up before it drops the old one.
void destroy(VoiceObject* object) noexcept {
    if (object->token != nullptr) object->token->Release();
    delete object;
    try {
        remove_voice(engine_state());
    } catch (...) {
    }
    remove_object_count();  // last: from here on the library may be unloaded
}

ULONG STDMETHODCALLTYPE add_ref(void* self) {
    return static_cast<ULONG>(InterlockedIncrement(&find_voice_object(self)->references));
}

ULONG STDMETHODCALLTYPE release(void* self) {
    VoiceObject* object = find_voice_object(self);
    const LONG count = InterlockedDecrement(&object->references);
    if (count == 0) destroy(object);
    return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE query_interface(void* self, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    VoiceObject* object = find_voice_object(self);
    if (iid == IID_IUnknown || iid == IID_ISpTTSEngine) {
        *out = &object->engine_table;
    } else if (iid == IID_ISpObjectWithToken) {
        *out = &object->token_table;
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    InterlockedIncrement(&object->references);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE speak(void* self, DWORD, REFGUID, const WAVEFORMATEX*, const SPVTEXTFRAG* fragments,
                                ISpTTSEngineSite* site) {
    return guarded([&] { return speak_fragments(*find_voice_object(self), fragments, site); });
}

HRESULT STDMETHODCALLTYPE get_output_format(void* self, const GUID*, const WAVEFORMATEX*, GUID* format_id,
                                            WAVEFORMATEX** wave_format) {
    return guarded([&] { return report_output_format(format_id, wave_format); });
}

HRESULT STDMETHODCALLTYPE set_object_token(void* self, ISpObjectToken* token) {
    return guarded([&] { return set_up_from_token(*find_voice_object(self), token); });
}

HRESULT STDMETHODCALLTYPE get_object_token(void* self, ISpObjectToken** token) {
    return guarded([&] { return copy_token(*find_voice_object(self), token); });
}

constexpr TtsEngineTable kEngineTable = {query_interface, add_ref, release, speak, get_output_format};
constexpr ObjectWithTokenTable kTokenTable = {query_interface, add_ref, release, set_object_token,
                                              get_object_token};

}  // namespace

VoiceObject* create_voice_object() noexcept {
    auto* object = new (std::nothrow)
        VoiceObject{&kEngineTable, &kTokenTable, nullptr, SRWLOCK_INIT, 0, kFirstInterfaceMarker, kSecondInterfaceMarker, {}};
    if (object == nullptr) return nullptr;
    try {
        add_voice(engine_state());
    } catch (...) {
        delete object;
        return nullptr;
    }
    add_object_count();
    return object;
}

VoiceObject* find_voice_object(void* interface_pointer) noexcept {
    auto* words = static_cast<unsigned char*>(interface_pointer);
    uint32_t marker = 0;
    std::memcpy(&marker, words + 5 * sizeof(void*), sizeof marker);
    if (marker == kSecondInterfaceMarker) return reinterpret_cast<VoiceObject*>(words - sizeof(void*));
    return static_cast<VoiceObject*>(interface_pointer);
}

}  // namespace vl::sapi
