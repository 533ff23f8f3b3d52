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

// A phrase is chosen and played in pieces of at most this many phones, cut
// where a word starts: the search's memory stays small however long a phrase
// the text has. The speech's first piece is short, so that sound starts soon.
constexpr size_t kMaxPiece = 200;
constexpr size_t kFirstPiece = 24;

size_t piece_end(std::span<const SpokenPhone> phones, const std::vector<size_t>& phone_of_target, size_t begin,
                 size_t limit) {
    size_t end = std::min(phone_of_target.size(), begin + limit);
    if (end == phone_of_target.size()) return end;
    size_t cut = end;
    while (cut > begin + 1 && phones[phone_of_target[cut]].word == phones[phone_of_target[cut - 1]].word) --cut;
    return cut > begin + 1 ? cut : end;
}

float pause_ms(PhraseEnd end, const SpeechSettings& settings) {
    switch (end) {
    case PhraseEnd::none: return 0.0f;
    case PhraseEnd::comma: return comma_pause_ms(settings);
    default: return sentence_pause_ms(settings);
    }
}

}  // namespace

void speak_text(const char* text, const SpeechSettings& settings, const LoadedVoice& voice, BlockOutput& out) {
    PhraseReader reader(std::string_view(text, std::strlen(text)), settings.main_dictionary ? &voice.lexicon : nullptr);
    const float duration = duration_factor(settings.speed_step, settings.tempo);
    const PitchMap pitch = pitch_map(voice.data, {static_cast<float>(std::min(settings.pitch_low, settings.pitch_high)),
                                                  static_cast<float>(std::max(settings.pitch_low, settings.pitch_high))});
    const float formant_scale = kFormantScale[std::clamp(settings.voice, 0, 3)];
    std::vector<size_t> phone_of_target;
    bool first_piece = true;
    while (!out.stopped()) {
        const std::optional<Phrase> phrase = reader.next();
        if (!phrase) break;
        const std::span<const SpokenPhone> phones = phrase->phones;
        const std::vector<Target> targets = phrase_targets(voice.data, phones, phrase->end, phone_of_target);
        PhraseRenderer renderer(voice.data, pitch, formant_scale, out);
        std::optional<uint32_t> last_unit;
        bool stopped = false;
        for (size_t begin = 0, end; begin < targets.size() && !stopped; begin = end) {
            end = piece_end(phones, phone_of_target, begin, first_piece ? kFirstPiece : kMaxPiece);
            first_piece = false;
            const std::span<const Target> piece = std::span(targets).subspan(begin, end - begin);
            const std::vector<uint32_t> units = select_units(voice.data, piece, last_unit);
            last_unit = units.back();
            const PhraseEnd ending = end == targets.size() ? phrase->end : PhraseEnd::none;
            const std::vector<Segment> plan = plan_prosody(voice.data, piece, units, ending, duration);
            std::vector<WordStart> words;
            uint32_t at = 0;
            for (size_t i = 0; i < plan.size(); ++i) {
                const size_t phone = phone_of_target[begin + i];
                const uint16_t word = phones[phone].word;
                const bool starts = begin + i == 0 || word != phones[phone_of_target[begin + i - 1]].word;
                if (settings.report_words && starts && word < phrase->words.size())
                    words.push_back({at, phrase->words[word].text_offset});
                at += plan[i].length;
            }
            stopped = !renderer.add(plan, words, end == targets.size());
        }
        if (stopped) break;
        const auto silence = static_cast<long>(std::lround(pause_ms(phrase->end, settings) * kVoiceSampleRate / 1000.0f));
        for (long i = 0; i < silence && out.put(0.0f); ++i) {
        }
    }
}

}  // namespace velnor
