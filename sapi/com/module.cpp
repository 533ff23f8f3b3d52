#include "sapi/com/module.h"

namespace vl::sapi {
namespace {

HMODULE g_module = nullptr;
LONG g_object_count = 0;

}  // namespace

HMODULE module_handle() { return g_module; }
void set_module_handle(HMODULE module) { g_module = module; }

void add_object_count() { InterlockedIncrement(&g_object_count); }
void remove_object_count() { InterlockedDecrement(&g_object_count); }
bool objects_alive() { return InterlockedCompareExchange(&g_object_count, 0, 0) > 0; }

}  // namespace vl::sapi
