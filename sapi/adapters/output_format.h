#pragma once
// GetOutputFormat's answer: the PCM format in a WAVEFORMATEX that the caller frees.
#include "engine/speak_driver.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

// E_INVALIDARG for a null out pointer, E_OUTOFMEMORY when no memory is left.
HRESULT report_format(const PcmFormat& pcm, GUID* format_id, WAVEFORMATEX** wave_format);

}  // namespace vl::sapi
