#pragma once
// One Speak through the host: the request goes over, the host's audio and
// events come back into the client's site as they are made, and what the site
// asks meanwhile (abort, skip, rate, volume) and a Write it refused go back to
// the host.
#include "sapi/com/sapi_declarations.h"
#include "sapi/vlsapi64/host_process.h"

namespace vl::bridge {

HRESULT relay_speak(HostProcess& host, const SPVTEXTFRAG* fragments, ISpTTSEngineSite& site);

}  // namespace vl::bridge
