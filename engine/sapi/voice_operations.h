#pragma once
// The work behind the voice object's speech operations, apart from its COM
// plumbing: speaking a fragment list into a site, reporting the output format,
// setting the voice up from its token and handing the token back.
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

struct VoiceObject;

HRESULT speak_fragments(VoiceObject& object, const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) noexcept;
HRESULT report_output_format(GUID* format_id, WAVEFORMATEX** wave_format);
HRESULT set_up_from_token(VoiceObject& object, ISpObjectToken* token);
HRESULT copy_token(VoiceObject& object, ISpObjectToken** token);

}  // namespace vl::sapi
