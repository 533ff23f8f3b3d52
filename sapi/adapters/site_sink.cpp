#include "sapi/adapters/site_sink.h"

namespace vl::sapi {

uint32_t SiteSink::get_actions() { return site_.GetActions(); }

int32_t SiteSink::get_rate() {
    long rate = 0;
    return SUCCEEDED(site_.GetRate(&rate)) ? rate : 0;
}

uint16_t SiteSink::get_volume() {
    USHORT volume = 100;
    return SUCCEEDED(site_.GetVolume(&volume)) ? volume : 100;
}

bool SiteSink::get_sentence_skip(int32_t& sentences) {
    SPVSKIPTYPE type = SPVST_SENTENCE;
    long count = 0;
    if (FAILED(site_.GetSkipInfo(&type, &count)) || type != SPVST_SENTENCE) return false;
    sentences = count;
    return true;
}

void SiteSink::complete_skip(int32_t skipped) { site_.CompleteSkip(skipped); }

uint64_t SiteSink::get_event_interest() {
    ULONGLONG interest = 0;
    return SUCCEEDED(site_.GetEventInterest(&interest)) ? interest : 0;
}

bool SiteSink::write(const void* bytes, uint32_t count, WriteKind kind) {
    ULONG written = 0;
    const HRESULT result = site_.Write(bytes, count, kind == WriteKind::audio ? &written : nullptr);
    return SUCCEEDED(result) && result != SP_AUDIO_STOPPED_CODE;
}

void SiteSink::add_event(const SpeakEvent& event) {
    SPEVENT record{};
    record.eEventId = static_cast<SPEVENTENUM>(event.id);
    record.elParamType = static_cast<SPEVENTLPARAMTYPE>(event.param_type);
    record.ulStreamNum = 0;
    record.ullAudioStreamOffset = event.audio_offset;
    record.wParam = event.wparam;
    record.lParam = event.param_type == kParamString ? reinterpret_cast<LPARAM>(event.text) : event.lparam;
    site_.AddEvents(&record, 1);
}

}  // namespace vl::sapi
