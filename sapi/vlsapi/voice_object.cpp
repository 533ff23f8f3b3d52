#include "sapi/vlsapi/voice_object.h"

#include <new>

#include "engine/engine_state.h"
#include "sapi/com/module.h"

namespace vl::sapi {

HRESULT VoiceObject::create(REFIID iid, void** object) {
    VoiceObject* voice = nullptr;
    try {
        voice = new VoiceObject;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return query_new_object(voice, iid, object);
}

VoiceObject::VoiceObject() {
    add_voice(engine_state());
    add_object_count();
}

// The shared tables, dictionary and log go with the last voice object only: a
// client that switches voices sets the new one up before it drops the old one.
VoiceObject::~VoiceObject() {
    if (token_ != nullptr) token_->Release();
    try {
        remove_voice(engine_state());
    } catch (...) {
    }
    remove_object_count();  // last: from here on the library may be unloaded
}

}  // namespace vl::sapi
