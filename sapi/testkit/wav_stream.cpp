#include "sapi/testkit/wav_stream.h"

#include <thread>

namespace vl::sapi {

WavStream::WavStream(const WAVEFORMATEX& format, Kind kind)
    : format_(format), kind_(kind), played_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

WavStream::~WavStream() { CloseHandle(played_); }

HRESULT WavStream::QueryInterface(REFIID iid, void** object) {
    if (kind_ == Kind::file && iid == IID_ISpAudio) {
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    return ComObject::QueryInterface(iid, object);
}

HRESULT WavStream::Write(const void* bytes, ULONG count, ULONG* written) {
    if (written != nullptr) *written = 0;
    if (bytes == nullptr && count > 0) return STG_E_INVALIDPOINTER;
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            ++refused_;
            return SP_AUDIO_STOPPED_CODE;
        }
        audio_.append(static_cast<const char*>(bytes), count);
        write_times_.push_back(std::chrono::steady_clock::now());
    }
    if (kind_ == Kind::audio_device && format_.nAvgBytesPerSec > 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(1'000'000ull * count / format_.nAvgBytesPerSec));
    }
    if (written != nullptr) *written = count;
    return S_OK;
}

HRESULT WavStream::Read(void*, ULONG, ULONG* read) {
    if (read != nullptr) *read = 0;
    return S_FALSE;
}

HRESULT WavStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    // Only asking where the stream stands is supported: it grows at its end.
    if (move.QuadPart != 0 && origin != STREAM_SEEK_END) return E_NOTIMPL;
    if (position != nullptr) {
        std::lock_guard lock(mutex_);
        position->QuadPart = audio_.size();
    }
    return S_OK;
}

HRESULT WavStream::Stat(STATSTG* stat, DWORD) {
    if (stat == nullptr) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    std::lock_guard lock(mutex_);
    stat->cbSize.QuadPart = audio_.size();
    return S_OK;
}

HRESULT WavStream::GetFormat(GUID* format_id, WAVEFORMATEX** format) {
    if (format_id == nullptr || format == nullptr) return E_POINTER;
    *format_id = SPDFID_WaveFormatEx;
    *format = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
    if (*format == nullptr) return E_OUTOFMEMORY;
    **format = format_;
    return S_OK;
}

HRESULT WavStream::SetState(SPAUDIOSTATE state, ULONGLONG) {
    std::lock_guard lock(mutex_);
    closed_ = state == SPAS_CLOSED || state == SPAS_STOP;
    return S_OK;
}

HRESULT WavStream::SetFormat(REFGUID format_id, const WAVEFORMATEX* format) {
    if (format == nullptr) return E_POINTER;
    const bool same = format_id == SPDFID_WaveFormatEx && format->nSamplesPerSec == format_.nSamplesPerSec &&
                      format->wBitsPerSample == format_.wBitsPerSample && format->nChannels == format_.nChannels;
    return same ? S_OK : E_INVALIDARG;
}

HRESULT WavStream::GetStatus(SPAUDIOSTATUS* status) {
    if (status == nullptr) return E_POINTER;
    *status = SPAUDIOSTATUS{};
    std::lock_guard lock(mutex_);
    status->State = closed_ ? SPAS_CLOSED : SPAS_RUN;
    status->CurSeekPos = status->CurDevicePos = audio_.size();
    return S_OK;
}

HRESULT WavStream::GetBufferInfo(SPAUDIOBUFFERINFO* info) {
    if (info == nullptr) return E_POINTER;
    *info = SPAUDIOBUFFERINFO{};
    info->ulMsMinNotification = 50;
    info->ulMsBufferSize = 500;
    info->ulMsEventBias = 0;
    return S_OK;
}

HRESULT WavStream::GetVolumeLevel(ULONG* level) {
    if (level == nullptr) return E_POINTER;
    *level = 10000;
    return S_OK;
}

HRESULT WavStream::GetBufferNotifySize(ULONG* size) {
    if (size == nullptr) return E_POINTER;
    *size = format_.nAvgBytesPerSec / 10;
    return S_OK;
}

std::string WavStream::audio() const {
    std::lock_guard lock(mutex_);
    return audio_;
}

std::vector<std::chrono::steady_clock::time_point> WavStream::write_times() const {
    std::lock_guard lock(mutex_);
    return write_times_;
}

int WavStream::refused_writes() const {
    std::lock_guard lock(mutex_);
    return refused_;
}

}  // namespace vl::sapi
