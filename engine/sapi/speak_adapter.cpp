// Speak and GetOutputFormat: the speech API's fragment list and output site
// turned into the portable speak driver's fragments and sink.
#include <vector>

#include "engine/engine_state.h"
#include "engine/sapi/voice_object.h"
#include "engine/sapi/voice_operations.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"

namespace vl::sapi {
namespace {

class SiteSink final : public OutputSink {
public:
    explicit SiteSink(ISpTTSEngineSite& site) : site_(site) {}

    uint32_t get_actions() override { return site_.GetActions(); }

    int32_t get_rate() override {
        long rate = 0;
        return SUCCEEDED(site_.GetRate(&rate)) ? rate : 0;
    }

    uint16_t get_volume() override {
        USHORT volume = 100;
        return SUCCEEDED(site_.GetVolume(&volume)) ? volume : 100;
    }

    bool get_sentence_skip(int32_t& sentences) override {
        SPVSKIPTYPE type = SPVST_SENTENCE;
        long count = 0;
        if (FAILED(site_.GetSkipInfo(&type, &count)) || type != SPVST_SENTENCE) return false;
        sentences = count;
        return true;
    }

    void complete_skip(int32_t skipped) override { site_.CompleteSkip(skipped); }

    uint64_t get_event_interest() override {
        ULONGLONG interest = 0;
        return SUCCEEDED(site_.GetEventInterest(&interest)) ? interest : 0;
    }

    // Silence is written without asking for the count written, audio with it.
    // A failure, or "audio stopped" (whatever part of the bytes was taken),
    // ends the output.
    bool write(const void* bytes, uint32_t count, WriteKind kind) override {
        ULONG written = 0;
        const HRESULT result = site_.Write(bytes, count, kind == WriteKind::audio ? &written : nullptr);
        return SUCCEEDED(result) && result != SP_AUDIO_STOPPED_CODE;
    }

    void add_event(const SpeakEvent& event) override {
        SPEVENT record{};
        record.eEventId = static_cast<SPEVENTENUM>(event.id);
        record.elParamType = static_cast<SPEVENTLPARAMTYPE>(event.param_type);
        record.ulStreamNum = 0;
        record.ullAudioStreamOffset = event.audio_offset;
        record.wParam = event.wparam;
        record.lParam = event.param_type == kParamString ? reinterpret_cast<LPARAM>(event.text) : event.lparam;
        site_.AddEvents(&record, 1);
    }

private:
    ISpTTSEngineSite& site_;
};

std::vector<TextFragment> fragment_list(const SPVTEXTFRAG* first) {
    std::vector<TextFragment> fragments;
    for (const SPVTEXTFRAG* fragment = first; fragment != nullptr; fragment = fragment->pNext) {
        TextFragment converted;
        converted.action = static_cast<FragmentAction>(fragment->State.eAction);
        converted.rate_adj = fragment->State.RateAdj;
        converted.volume = fragment->State.Volume;
        converted.pitch_middle_adj = fragment->State.PitchAdj.MiddleAdj;
        converted.source_offset = fragment->ulTextSrcOffset;
        converted.silence_ms = fragment->State.SilenceMSecs;
        if (fragment->pTextStart != nullptr) {
            converted.text = {reinterpret_cast<const char16_t*>(fragment->pTextStart), fragment->ulTextLen};
        }
        fragments.push_back(converted);
    }
    return fragments;
}

}  // namespace

HRESULT speak_fragments(VoiceObject& object, const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) noexcept {
    if (site == nullptr) return E_INVALIDARG;
    try {
        SiteSink sink(*site);
        speak(fragment_list(fragments), sink, velnor_engine(), engine_state(), object.library);
    } catch (...) {
        // Nothing more can be spoken; the request still ends normally.
    }
    return S_OK;
}

HRESULT report_output_format(GUID* format_id, WAVEFORMATEX** wave_format) {
    static_assert(sizeof(WAVEFORMATEX) == 18);
    if (format_id == nullptr || wave_format == nullptr) return E_INVALIDARG;
    *format_id = SPDFID_WaveFormatEx;
    *wave_format = nullptr;
    auto* format = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
    if (format == nullptr) return E_OUTOFMEMORY;
    const PcmFormat pcm = output_format(engine_state());
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
