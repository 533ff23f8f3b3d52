#include "sapi/testkit/recording_site.h"

namespace vl::sapi {

HRESULT RecordingSite::AddEvents(const SPEVENT* list, ULONG count) {
    if (list == nullptr) return E_POINTER;
    for (ULONG i = 0; i < count; ++i) {
        RecordedEvent recorded{list[i], {}, audio.size()};
        if (list[i].elParamType == SPET_LPARAM_IS_STRING && list[i].lParam != 0) {
            recorded.text = reinterpret_cast<const wchar_t*>(list[i].lParam);
        }
        events.push_back(std::move(recorded));
    }
    return S_OK;
}

HRESULT RecordingSite::GetEventInterest(ULONGLONG* interest) {
    if (interest == nullptr) return E_POINTER;
    *interest = ~0ull;
    return S_OK;
}

DWORD RecordingSite::GetActions() {
    DWORD actions = 0;
    if (options_.rate) actions |= SPVES_RATE;
    if (options_.volume) actions |= SPVES_VOLUME;
    if (options_.abort_after && audio_writes >= *options_.abort_after) actions |= SPVES_ABORT;
    return actions;
}

HRESULT RecordingSite::Write(const void* bytes, ULONG count, ULONG* written) {
    if (written != nullptr) *written = 0;
    if (options_.stop_after && audio_writes + silence_writes >= *options_.stop_after) {
        if (options_.stop_takes_part && written != nullptr && writes_after_stop == 0 && bytes != nullptr) {
            audio.append(static_cast<const char*>(bytes), count / 2);
            *written = count / 2;
        }
        ++writes_after_stop;
        return SP_AUDIO_STOPPED_CODE;
    }
    if (bytes == nullptr && count > 0) return E_POINTER;
    audio.append(static_cast<const char*>(bytes), count);
    if (written != nullptr) {
        *written = count;
        ++audio_writes;
    } else {
        ++silence_writes;
    }
    return S_OK;
}

HRESULT RecordingSite::GetRate(long* rate) {
    if (rate == nullptr) return E_POINTER;
    *rate = options_.rate.value_or(0);
    return S_OK;
}

HRESULT RecordingSite::GetVolume(USHORT* volume) {
    if (volume == nullptr) return E_POINTER;
    *volume = options_.volume.value_or(100);
    return S_OK;
}

HRESULT RecordingSite::GetSkipInfo(SPVSKIPTYPE* type, long* count) {
    if (type != nullptr) *type = SPVST_SENTENCE;
    if (count != nullptr) *count = 0;
    return S_OK;
}

}  // namespace vl::sapi
