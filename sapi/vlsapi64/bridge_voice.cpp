#include "sapi/vlsapi64/bridge_voice.h"

#include <new>
#include <utility>

#include "sapi/adapters/output_format.h"
#include "sapi/adapters/token_reader.h"
#include "sapi/com/module.h"
#include "sapi/vlsapi64/speak_relay.h"

namespace vl::bridge {
namespace {

// The speech API's "not initialized": Speak before any voice was set up.
constexpr HRESULT kNotSetUp = static_cast<HRESULT>(0x80045001);

// Sends a request and reads the host's answer, which must be of the given kind.
template <typename Value>
HRESULT ask(HostProcess& host, std::string_view request, Kind answer,
            std::optional<Value> (*decode)(std::string_view), Value& value) {
    if (const HRESULT result = host.send(request); FAILED(result)) return result;
    Frame frame{};
    if (const HRESULT result = host.receive(frame); FAILED(result)) return result;
    auto decoded = frame.kind == answer ? decode(frame.payload) : std::nullopt;
    if (!decoded) {
        host.fail();
        return kHostMalformed;
    }
    value = std::move(*decoded);
    return S_OK;
}

}  // namespace

BridgeVoice::BridgeVoice() { sapi::add_object_count(); }

BridgeVoice::~BridgeVoice() {
    host_.reset();
    if (token_ != nullptr) token_->Release();
    sapi::remove_object_count();  // last: from here on the library may be unloaded
}

HRESULT BridgeVoice::create(REFIID iid, void** object) {
    auto* voice = new (std::nothrow) BridgeVoice;
    if (voice == nullptr) return E_OUTOFMEMORY;
    return sapi::query_new_object(voice, iid, object);
}

HRESULT BridgeVoice::live_host() {
    if (host_ && host_->alive()) return S_OK;
    if (const HRESULT result = HostProcess::start(host_); FAILED(result)) return result;
    if (!set_up_) return S_OK;
    const VoiceSetUp last = *set_up_;
    return set_up_host(last);
}

HRESULT BridgeVoice::set_up_host(const VoiceSetUp& set_up) {
    int32_t status = 0;
    if (const HRESULT result = ask(*host_, encode(set_up), Kind::status, decode_status, status); FAILED(result)) {
        return result;
    }
    if (SUCCEEDED(status)) set_up_ = set_up;
    return status;
}

HRESULT BridgeVoice::Speak(DWORD, REFGUID, const WAVEFORMATEX*, const SPVTEXTFRAG* fragments,
                           ISpTTSEngineSite* site) {
    return sapi::guarded([&]() -> HRESULT {
        if (site == nullptr) return E_INVALIDARG;
        std::lock_guard lock(host_mutex_);
        if (!set_up_) return kNotSetUp;
        if (const HRESULT result = live_host(); FAILED(result)) return result;
        return relay_speak(*host_, fragments, *site);
    });
}

HRESULT BridgeVoice::GetOutputFormat(const GUID*, const WAVEFORMATEX*, GUID* format_id, WAVEFORMATEX** wave_format) {
    return sapi::guarded([&]() -> HRESULT {
        if (format_id == nullptr || wave_format == nullptr) return E_INVALIDARG;
        // While a Speak holds the host, the format it last reported answers:
        // the engine in process does not wait for a request either.
        std::unique_lock lock(host_mutex_, std::try_to_lock);
        if (!lock.owns_lock()) {
            std::unique_lock known(format_mutex_);
            if (format_) return sapi::report_format(*format_, format_id, wave_format);
            known.unlock();
            lock.lock();
        }
        if (const HRESULT result = live_host(); FAILED(result)) return result;
        PcmFormat format;
        if (const HRESULT result = ask(*host_, encode_empty(Kind::format_request), Kind::format, decode_format, format);
            FAILED(result)) {
            return result;
        }
        {
            std::lock_guard known(format_mutex_);
            format_ = format;
        }
        return sapi::report_format(format, format_id, wave_format);
    });
}

HRESULT BridgeVoice::SetObjectToken(ISpObjectToken* token) {
    return sapi::guarded([&]() -> HRESULT {
        if (token == nullptr) return E_INVALIDARG;
        token->AddRef();
        {
            std::lock_guard lock(token_mutex_);
            std::swap(token, token_);
        }
        if (token != nullptr) token->Release();  // the one replaced

        VoiceSetUp set_up;
        {
            std::lock_guard lock(token_mutex_);
            sapi::SapiVoiceToken reader(*token_);
            if (const HRESULT result = reader.voice_name(set_up.voice_name); FAILED(result)) return result;
            if (const HRESULT result = reader.language(set_up.language); FAILED(result)) return result;
        }
        std::lock_guard lock(host_mutex_);
        if (const HRESULT result = live_host(); FAILED(result)) return result;
        return set_up_host(set_up);
    });
}

HRESULT BridgeVoice::GetObjectToken(ISpObjectToken** token) {
    if (token == nullptr) return E_POINTER;
    std::lock_guard lock(token_mutex_);
    *token = token_;
    if (token_ == nullptr) return E_FAIL;
    token_->AddRef();
    return S_OK;
}

}  // namespace vl::bridge
