#pragma once
// The voice engine object: ISpTTSEngine and ISpObjectWithToken on one object.
// Its fields keep the object's published layout: the two interface pointers,
// the reference count, the token and its mutex, then two marker words, each
// five fields after the interface pointer it marks.
#include <cstdint>

#include "engine/voice_choice.h"
#include "sapi/com/com_object.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

inline constexpr uint32_t kFirstInterfaceMarker = 0x154945EF;
inline constexpr uint32_t kSecondInterfaceMarker = 0x04AFBAFF;

class VoiceObject final : public ComObject<ISpTTSEngine, ISpObjectWithToken> {
public:
    // The class factory's function: a new voice queried for iid.
    static HRESULT create(REFIID iid, void** object);

    // Speaks the fragment list into the site (speak_adapter.cpp).
    HRESULT STDMETHODCALLTYPE Speak(DWORD flags, REFGUID format_id, const WAVEFORMATEX* wave_format,
                                    const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) override;
    HRESULT STDMETHODCALLTYPE GetOutputFormat(const GUID* target_format_id, const WAVEFORMATEX* target_wave_format,
                                              GUID* format_id, WAVEFORMATEX** wave_format) override;
    // Keeps the token and sets the voice up from it (token_setup.cpp).
    HRESULT STDMETHODCALLTYPE SetObjectToken(ISpObjectToken* token) override;
    HRESULT STDMETHODCALLTYPE GetObjectToken(ISpObjectToken** token) override;

private:
    VoiceObject();
    ~VoiceObject() override;

    ISpObjectToken* token_ = nullptr;  // null until set
    SRWLOCK token_mutex_ = SRWLOCK_INIT;
    const uint32_t first_marker_ = kFirstInterfaceMarker;
    const uint32_t second_marker_ = kSecondInterfaceMarker;
    VoiceChoice library_;  // the synthesis library's voice this object speaks with
};

}  // namespace vl::sapi
