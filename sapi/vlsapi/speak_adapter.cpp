// Speak and GetOutputFormat: the speech API's fragment list and output site
// turned into the portable speak driver's fragments and sink.
#include "engine/engine_state.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "sapi/adapters/fragment_list.h"
#include "sapi/adapters/output_format.h"
#include "sapi/adapters/site_sink.h"
#include "sapi/vlsapi/voice_object.h"

namespace vl::sapi {

HRESULT VoiceObject::Speak(DWORD, REFGUID, const WAVEFORMATEX*, const SPVTEXTFRAG* fragments,
                           ISpTTSEngineSite* site) {
    if (site == nullptr) return E_INVALIDARG;
    try {
        SiteSink sink(*site);
        speak(fragment_list(fragments), sink, velnor_engine(), engine_state(), library_);
    } catch (...) {
        // Nothing more can be spoken; the request still ends normally.
    }
    return S_OK;
}

HRESULT VoiceObject::GetOutputFormat(const GUID*, const WAVEFORMATEX*, GUID* format_id, WAVEFORMATEX** wave_format) {
    return guarded([&] { return report_format(output_format(engine_state()), format_id, wave_format); });
}

}  // namespace vl::sapi
