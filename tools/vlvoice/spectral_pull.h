#pragma once
// Pulls the spectral envelope of every unit part way toward the mean envelope
// of its phone in the same context, over the whole corpus. One token of a
// phone differs from another by more than either differs from their mean, so
// joined units from different sentences sound nearer to each other and to the
// speaker's typical sound; the fine structure (harmonics, noise, phase) and
// the pitch marks stay as they were recorded.
#include <vector>

#include "velnor/voice/voice_format.h"

namespace vl::voice_tool {

// `audio` is the voice's audio at kVoiceSampleRate, `units` index into it.
// `strength` 0 leaves it alone, 1 would give every frame its context's mean.
std::vector<float> pull_toward_context(const std::vector<float>& audio, const std::vector<velnor::Unit>& units,
                                       double strength);

}  // namespace vl::voice_tool
