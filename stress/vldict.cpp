// The library's entry point over its one process-wide state. The state's names
// and path, and the code tables, are released when the library is unloaded.
#include "stress/include/vldict.h"
#include "stress/stress_dispatch.h"

namespace {

vl::dict::DictionaryState g_state;

}  // namespace

extern "C" int32_t VLDICT_CALL Stress_Dispatch(int32_t command, intptr_t arg, uint32_t size) {
    return vl::dict::dispatch_command(g_state, command, arg, size);
}
