// The library's entry point and its class-object exports.
#include "sapi/com/class_factory.h"
#include "sapi/com/class_id.h"
#include "sapi/com/module.h"
#include "sapi/vlsapi/voice_object.h"
#include "sapi/vlsapi/watcher_thread.h"

using namespace vl::sapi;

// The watcher starts with the first class factory, outside the loader lock. At
// an unload it has normally been stopped already (its module reference keeps
// the library loaded while it runs); at process exit it is left alone, since
// the other threads are gone and a lock they held would never be released.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        set_module_handle(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        tell_watcher_to_stop();
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID class_id, REFIID iid, void** object) {
    if (class_id == voice_class_id()) start_watcher();  // the first time, or again after DllCanUnloadNow stopped it
    return get_class_object(class_id, voice_class_id(), VoiceObject::create, iid, object);
}

// With nothing alive the watcher is stopped here, outside the loader lock, so
// that the library can be unloaded safely once this returns S_OK.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return guarded([]() -> HRESULT {
        if (objects_alive()) return S_FALSE;
        stop_watcher();
        return S_OK;
    });
}
