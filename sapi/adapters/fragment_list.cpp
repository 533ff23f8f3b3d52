#include "sapi/adapters/fragment_list.h"

namespace vl::sapi {

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

}  // namespace vl::sapi
