#pragma once
// One engine DLL's session with its host: the host greets, then answers voice
// set-ups, format requests and speak requests with the process's engine core
// until the DLL says quit, the pipe breaks or a malformed message arrives.
#include "bridge/host/host_channel.h"

namespace vl::bridge {

enum HostExit : int { kHostQuit = 0, kHostPipeClosed = 1, kHostMalformed = 3 };

HostExit serve(HostChannel& channel);

}  // namespace vl::bridge
