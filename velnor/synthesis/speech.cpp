#include "velnor/synthesis/speech.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "velnor/synthesis/prosody.h"
#include "velnor/synthesis/unit_selection.h"

namespace velnor {
namespace {

// How much faster than recorded each voice reads its grains: above 1 the
// vocal tract sounds shorter. Male1, Female1, Male2, Female2.
constexpr float kFormantScale[4] = {1.0f, 1.17f, 0.9f, 1.27f};

float pause_ms(PhraseEnd end, const SpeechSettings& settings) {
    switch (end) {
    case PhraseEnd::none: return 0.0f;
    case PhraseEnd::comma: return sentence_pause_ms(settings) * 0.5f;
    default: return sentence_pause_ms(settings);
    }
}

}  // namespace

void speak_text(const char* text, const SpeechSettings& settings, const LoadedVoice& voice, BlockOutput& out) {
    PhraseReader reader(std::string_view(text, std::strlen(text)), settings.main_dictionary ? &voice.lexicon : nullptr);
    const float duration = duration_factor(settings.speed_step, settings.tempo);
    const PitchRange range{static_cast<float>(std::min(settings.pitch_low, settings.pitch_high)),
                           static_cast<float>(std::max(settings.pitch_low, settings.pitch_high))};
    const float formant_scale = kFormantScale[std::clamp(settings.voice, 0, 3)];
    std::vector<size_t> phone_of_target;
    while (!out.stopped()) {
        const std::optional<Phrase> phrase = reader.next();
        if (!phrase) break;
        const std::vector<Target> targets = phrase_targets(voice.data, phrase->phones, phone_of_target);
        const std::vector<uint32_t> units = select_units(voice.data, targets);
        const std::vector<Segment> plan = plan_prosody(voice.data, targets, units, phrase->end, duration, range);
        std::vector<WordStart> words;
        uint32_t at = 0;
        for (size_t i = 0; i < plan.size(); ++i) {
            const uint16_t word = phrase->phones[phone_of_target[i]].word;
            const bool starts = i == 0 || word != phrase->phones[phone_of_target[i - 1]].word;
            if (settings.report_words && starts && word < phrase->words.size())
                words.push_back({at, phrase->words[word].text_offset});
            at += plan[i].length;
        }
        if (!render_phrase(voice.data, plan, formant_scale, words, out)) break;
        const auto silence = static_cast<long>(std::lround(pause_ms(phrase->end, settings) * kVoiceSampleRate / 1000.0f));
        for (long i = 0; i < silence && out.put(0.0f); ++i) {
        }
    }
}

}  // namespace velnor
