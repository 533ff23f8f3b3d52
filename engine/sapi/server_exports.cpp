// The library's entry point and its class-object exports.
#include <new>

#include "engine/sapi/class_factory.h"
#include "engine/sapi/class_id.h"
#include "engine/sapi/module.h"
#include "engine/sapi/watcher_thread.h"

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
    return guarded([&]() -> HRESULT {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (class_id != voice_class_id()) return CLASS_E_CLASSNOTAVAILABLE;
        auto* factory = new (std::nothrow) ClassFactory;
        if (factory == nullptr) return E_OUTOFMEMORY;
        return query_new_object(factory, iid, object);
    });
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
