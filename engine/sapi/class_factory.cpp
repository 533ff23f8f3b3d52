#include "engine/sapi/class_factory.h"

#include "engine/sapi/module.h"
#include "engine/sapi/voice_object.h"
#include "engine/sapi/watcher_thread.h"

namespace vl::sapi {

ClassFactory::ClassFactory() {
    add_object_count();
    start_watcher();  // the first one, or again after DllCanUnloadNow stopped it
}

ClassFactory::~ClassFactory() { remove_object_count(); }

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    return guarded([&]() -> HRESULT {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        VoiceObject* voice = create_voice_object();
        if (voice == nullptr) return E_OUTOFMEMORY;
        return query_new_object(reinterpret_cast<IUnknown*>(voice), iid, object);
    });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        add_object_count();
    } else {
        remove_object_count();
    }
    return S_OK;
}

}  // namespace vl::sapi
