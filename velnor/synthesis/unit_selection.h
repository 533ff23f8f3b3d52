#pragma once
// Chooses, for each phone of a phrase, one recorded unit: those closest to the
// phone's context (target cost) that join each other most smoothly (join
// cost), found by a Viterbi search over a few candidates per phone. Units that
// follow each other in the recordings join at no cost, so whole stretches of
// the recordings are taken where they fit.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "velnor/phonetics/utterance.h"
#include "velnor/voice/voice_data.h"

namespace velnor {

struct Target {
    PhoneId phone, left, right;
    uint8_t vowels_before, vowels_after;  // in the phrase, at most 255
    PhraseEnd end;                        // the phrase's
};

// Whether the unit's stretch of speech ended as a phrase with `end` does: at
// a pause inside the sentence for a comma, else at a question or not.
bool ends_alike(const Unit& unit, PhraseEnd end);

// The targets of a phrase's phones; a phone the voice has no unit of is
// replaced by its nearest one that it has, or left out.
std::vector<Target> phrase_targets(const VoiceData& voice, std::span<const SpokenPhone> phones, PhraseEnd end,
                                   std::vector<size_t>& phone_of_target);

// One unit index per target. `previous`, if any, is the unit the targets'
// first one follows: the end of the piece of the phrase chosen before.
std::vector<uint32_t> select_units(const VoiceData& voice, std::span<const Target> targets,
                                   std::optional<uint32_t> previous = std::nullopt);

}  // namespace velnor
