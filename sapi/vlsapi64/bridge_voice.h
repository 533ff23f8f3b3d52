#pragma once
// The voice engine object of the 64-bit DLL: ISpTTSEngine and
// ISpObjectWithToken whose work is done by the object's own 32-bit host.
#include <memory>
#include <mutex>
#include <optional>

#include "sapi/com/com_object.h"
#include "sapi/com/sapi_declarations.h"
#include "sapi/vlsapi64/host_process.h"

namespace vl::bridge {

class BridgeVoice final : public sapi::ComObject<ISpTTSEngine, ISpObjectWithToken> {
public:
    // The class factory's function: a new voice queried for iid.
    static HRESULT create(REFIID iid, void** object);

    HRESULT STDMETHODCALLTYPE Speak(DWORD flags, REFGUID format_id, const WAVEFORMATEX* wave_format,
                                    const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) override;
    HRESULT STDMETHODCALLTYPE GetOutputFormat(const GUID* target_format_id, const WAVEFORMATEX* target_wave_format,
                                              GUID* format_id, WAVEFORMATEX** wave_format) override;
    HRESULT STDMETHODCALLTYPE SetObjectToken(ISpObjectToken* token) override;
    HRESULT STDMETHODCALLTYPE GetObjectToken(ISpObjectToken** token) override;

private:
    BridgeVoice();
    ~BridgeVoice() override;

    // A host that answers: when there is none, or it has died, a new one is
    // started and given the voice set up last, so a voice outlives its hosts.
    HRESULT live_host();
    // Sets the host's voice up; kept for the hosts to come when it succeeds.
    HRESULT set_up_host(const VoiceSetUp& set_up);

    std::mutex token_mutex_;
    ISpObjectToken* token_ = nullptr;
    std::mutex host_mutex_;  // one request at a time through the host
    std::unique_ptr<HostProcess> host_;
    std::optional<VoiceSetUp> set_up_;
    std::mutex format_mutex_;
    std::optional<PcmFormat> format_;  // the host's last answer, for calls during a Speak
};

}  // namespace vl::bridge
