#include "sapi/adapters/output_format.h"

namespace vl::sapi {

HRESULT report_format(const PcmFormat& pcm, GUID* format_id, WAVEFORMATEX** wave_format) {
    static_assert(sizeof(WAVEFORMATEX) == 18);
    if (format_id == nullptr || wave_format == nullptr) return E_INVALIDARG;
    *format_id = SPDFID_WaveFormatEx;
    *wave_format = nullptr;
    auto* format = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
    if (format == nullptr) return E_OUTOFMEMORY;
    format->wFormatTag = pcm.format_tag;
    format->nChannels = pcm.channels;
    format->nSamplesPerSec = pcm.samples_per_second;
    format->nAvgBytesPerSec = pcm.average_bytes_per_second;
    format->nBlockAlign = pcm.block_align;
    format->wBitsPerSample = pcm.bits_per_sample;
    format->cbSize = 0;
    *wave_format = format;
    return S_OK;
}

}  // namespace vl::sapi
