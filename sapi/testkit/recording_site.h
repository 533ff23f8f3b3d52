#pragma once
// An output site that keeps what an engine sends it: the audio bytes and every
// event, with how much audio had arrived before each. It can ask for an abort
// or report stopped output after a number of audio writes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sapi/com/com_object.h"
#include "sapi/com/sapi_declarations.h"

namespace vl::sapi {

struct RecordedEvent {
    SPEVENT event;
    std::wstring text;            // the string of a string event, copied during AddEvents
    size_t audio_bytes_before;    // audio received before the event
};

struct SiteOptions {
    std::optional<long> rate;             // reported with SPVES_RATE when set
    std::optional<USHORT> volume;         // reported with SPVES_VOLUME when set
    std::optional<uint32_t> abort_after;  // SPVES_ABORT once this many audio writes arrived
    std::optional<uint32_t> stop_after;   // Write reports "audio stopped" after this many
    bool stop_takes_part = false;         // the first write reported stopped still takes half its bytes
};

class RecordingSite final : public ComObject<WithBases<ISpTTSEngineSite, ISpEventSink>> {
public:
    explicit RecordingSite(SiteOptions options) : options_(options) {}

    HRESULT STDMETHODCALLTYPE AddEvents(const SPEVENT* events, ULONG count) override;
    HRESULT STDMETHODCALLTYPE GetEventInterest(ULONGLONG* interest) override;
    DWORD STDMETHODCALLTYPE GetActions() override;
    HRESULT STDMETHODCALLTYPE Write(const void* bytes, ULONG count, ULONG* written) override;
    HRESULT STDMETHODCALLTYPE GetRate(long* rate) override;
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT* volume) override;
    HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE* type, long* count) override;
    HRESULT STDMETHODCALLTYPE CompleteSkip(long) override { return S_OK; }

    std::string audio;                  // every byte taken, silence included
    uint32_t audio_writes = 0;          // writes that asked for the count written
    uint32_t silence_writes = 0;        // writes that did not
    uint32_t writes_after_stop = 0;     // writes refused as "audio stopped"
    std::vector<RecordedEvent> events;

private:
    ~RecordingSite() override = default;
    SiteOptions options_;
};

}  // namespace vl::sapi
