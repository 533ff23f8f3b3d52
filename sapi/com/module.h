#pragma once
// What the library keeps for its whole life: its module handle and the count
// of live objects and locks that keeps it loaded.
#include <windows.h>

namespace vl::sapi {

HMODULE module_handle();
void set_module_handle(HMODULE module);

// Engine objects, class factories and server locks each hold one count.
void add_object_count();
void remove_object_count();
bool objects_alive();

}  // namespace vl::sapi
