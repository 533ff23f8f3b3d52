// The 64-bit library's entry point and its class-object exports.
#include "sapi/com/class_factory.h"
#include "sapi/com/class_id.h"
#include "sapi/com/module.h"
#include "sapi/vlsapi64/bridge_voice.h"

using namespace vl::sapi;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) set_module_handle(instance);
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID class_id, REFIID iid, void** object) {
    return get_class_object(class_id, voice_class_id(), vl::bridge::BridgeVoice::create, iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return objects_alive() ? S_FALSE : S_OK; }
