// Speak and GetOutputFormat: the speech API's fragment list and output site
// turned into the portable speak driver's fragments and sink.
#include <vector>

#include "engine/engine_state.h"
#include "engine/sapi/voice_object.h"
#include "engine/sapi/voice_operations.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "sapi/adapters/fragment_list.h"
#include "sapi/adapters/output_format.h"
#include "sapi/adapters/site_sink.h"

namespace vl::sapi {

HRESULT speak_fragments(VoiceObject& object, const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) noexcept {
    if (site == nullptr) return E_INVALIDARG;
    try {
        SiteSink sink(*site);
        speak(fragment_list(fragments), sink, velnor_engine(), engine_state(), object.library);
    } catch (...) {
        // Nothing more can be spoken; the request still ends normally.
    }
    return S_OK;
}

HRESULT report_output_format(GUID* format_id, WAVEFORMATEX** wave_format) {
    return report_format(output_format(engine_state()), format_id, wave_format);
}

}  // namespace vl::sapi
