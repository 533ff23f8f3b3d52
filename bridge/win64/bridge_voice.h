#pragma once
// The voice engine object of the 64-bit DLL: ISpTTSEngine and
// ISpObjectWithToken whose work is done by the object's own 32-bit host.
#include <mutex>
#include <memory>

#include "bridge/win64/host_process.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::bridge {

class BridgeVoice final : public ISpTTSEngine, public ISpObjectWithToken {
public:
    // The class factory's function: a new voice queried for iid.
    static HRESULT create(REFIID iid, void** object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Speak(DWORD flags, REFGUID format_id, const WAVEFORMATEX* wave_format,
                                    const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) override;
    HRESULT STDMETHODCALLTYPE GetOutputFormat(const GUID* target_format_id, const WAVEFORMATEX* target_wave_format,
                                              GUID* format_id, WAVEFORMATEX** wave_format) override;
    HRESULT STDMETHODCALLTYPE SetObjectToken(ISpObjectToken* token) override;
    HRESULT STDMETHODCALLTYPE GetObjectToken(ISpObjectToken** token) override;

private:
    BridgeVoice();
    ~BridgeVoice();

    // A host that answers, started when there is none; set_up says whether it
    // must have been given a voice (a dead or unconfigured one is no host then).
    HRESULT live_host(bool set_up);

    LONG references_ = 0;
    std::mutex token_mutex_;
    ISpObjectToken* token_ = nullptr;
    std::mutex host_mutex_;  // one request at a time through the host
    std::unique_ptr<HostProcess> host_;
    bool host_set_up_ = false;
};

}  // namespace vl::bridge
