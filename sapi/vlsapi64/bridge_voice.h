#pragma once
// The voice engine object of the 64-bit DLL: ISpTTSEngine and
// ISpObjectWithToken whose work is done by the object's own 32-bit host.
#include <mutex>
#include <memory>

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

    // A host that answers, started when there is none; set_up says whether it
    // must have been given a voice (a dead or unconfigured one is no host then).
    HRESULT live_host(bool set_up);

    std::mutex token_mutex_;
    ISpObjectToken* token_ = nullptr;
    std::mutex host_mutex_;  // one request at a time through the host
    std::unique_ptr<HostProcess> host_;
    bool host_set_up_ = false;
};

}  // namespace vl::bridge
