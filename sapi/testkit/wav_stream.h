#pragma once
// The output a speech client hands to ISpVoice::SetOutput: it reports one PCM
// format and keeps every byte written to it. As a file-like stream it is a
// plain ISpStreamFormat; as a stand-in for an audio device it is an ISpAudio
// that takes each write only as fast as it would play and, once the runtime
// closes it (as a purge does), refuses writes with "audio stopped".
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "sapi/com/com_object.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

class WavStream final : public ComObject<WithBases<ISpAudio, ISpStreamFormat, IStream, ISequentialStream>> {
public:
    enum class Kind { file, audio_device };
    WavStream(const WAVEFORMATEX& format, Kind kind);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE Write(const void* bytes, ULONG count, ULONG* written) override;
    HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetFormat(GUID* format_id, WAVEFORMATEX** format) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE SetState(SPAUDIOSTATE state, ULONGLONG) override;
    HRESULT STDMETHODCALLTYPE SetFormat(REFGUID format_id, const WAVEFORMATEX* format) override;
    HRESULT STDMETHODCALLTYPE GetStatus(SPAUDIOSTATUS* status) override;
    HRESULT STDMETHODCALLTYPE SetBufferInfo(const SPAUDIOBUFFERINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetBufferInfo(SPAUDIOBUFFERINFO* info) override;
    HRESULT STDMETHODCALLTYPE GetDefaultFormat(GUID* format_id, WAVEFORMATEX** format) override {
        return GetFormat(format_id, format);
    }
    // Signalled: everything written has played by the time a write returns.
    HANDLE STDMETHODCALLTYPE EventHandle() override { return played_; }
    HRESULT STDMETHODCALLTYPE GetVolumeLevel(ULONG* level) override;
    HRESULT STDMETHODCALLTYPE SetVolumeLevel(ULONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetBufferNotifySize(ULONG* size) override;
    HRESULT STDMETHODCALLTYPE SetBufferNotifySize(ULONG) override { return S_OK; }

    // The audio taken so far, when each write was taken, and the writes refused.
    std::string audio() const;
    std::vector<std::chrono::steady_clock::time_point> write_times() const;
    int refused_writes() const;

private:
    ~WavStream() override;

    const WAVEFORMATEX format_;
    const Kind kind_;
    const HANDLE played_;
    mutable std::mutex mutex_;
    bool closed_ = false;
    int refused_ = 0;
    std::string audio_;
    std::vector<std::chrono::steady_clock::time_point> write_times_;
};

}  // namespace vl::sapi
