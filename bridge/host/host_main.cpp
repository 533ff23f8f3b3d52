// vlsapihost.exe: the 32-bit host of the engine for 64-bit speech clients.
// Started by vlsapi64.dll with the name of a pipe it has made; serves that one
// client and ends with it.
#include <windows.h>

#include "bridge/host/host_session.h"
#include "engine/engine_state.h"
#include "engine/engine_watcher.h"
#include "platform/app_data.h"

int wmain(int argc, wchar_t** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc != 2) return 2;
    HANDLE pipe = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return vl::bridge::kHostPipeClosed;

    // Settings reloads reach this engine as they reach in-process ones.
    auto watcher = vl::make_engine_watcher(vl::application_data_folder(), vl::engine_state());
    watcher->start();
    vl::bridge::HostChannel channel(pipe);
    const int status = vl::bridge::serve(channel);
    watcher->request_stop();
    watcher->join();
    CloseHandle(pipe);
    return status;
}
