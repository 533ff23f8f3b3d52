#include "velnor/phonetics/word_stress.h"

#include <algorithm>
#include <optional>

#include "velnor/phonetics/letters.h"
#include "velnor/phonetics/lexicon.h"

namespace velnor {
namespace {

bool is_fixed_vowel(const Sound& s) { return is_vowel(s.phone) && !s.reducible; }

// Words that lean on their neighbour without a stress of their own, for when
// the lexicon does not say: prepositions, conjunctions and particles.
bool is_clitic(std::string_view word) {
    static constexpr Cp1251 kClitics[] = {
        cp1251("а"),  cp1251("без"), cp1251("бы"), cp1251("в"),  cp1251("во"), cp1251("для"), cp1251("до"),
        cp1251("же"), cp1251("за"),  cp1251("и"),  cp1251("из"), cp1251("к"),  cp1251("ко"),  cp1251("ли"),
        cp1251("на"), cp1251("над"), cp1251("не"), cp1251("но"), cp1251("о"),  cp1251("об"),  cp1251("от"),
        cp1251("по"), cp1251("под"), cp1251("при"), cp1251("с"), cp1251("со"), cp1251("у"),   cp1251("через"),
    };
    return std::any_of(std::begin(kClitics), std::end(kClitics), [&](const Cp1251& c) { return c.view() == word; });
}

// The vowel a word without a known stress is stressed on, counted from 0: by
// the lexicon's endings, else the first of two and the last but one of more.
size_t rule_stress(std::span<Sound> sounds, std::string_view word, const Lexicon* lexicon) {
    const auto vowels = static_cast<size_t>(std::count_if(sounds.begin(), sounds.end(),
                                                          [](const Sound& s) { return is_vowel(s.phone); }));
    const std::optional<uint8_t> after = lexicon ? lexicon->vowels_after_stress(word) : std::nullopt;
    if (after && *after < vowels) return vowels - 1 - *after;
    return vowels <= 2 ? 0 : vowels - 2;
}

void stress_vowel(std::span<Sound> sounds, size_t number) {
    for (Sound& s : sounds) {
        if (!is_vowel(s.phone)) continue;
        if (number-- == 0) {
            s.stressed = true;
            return;
        }
    }
}

}  // namespace

void stress_word(std::span<Sound> sounds, std::string_view word, bool marked, const Lexicon* lexicon) {
    const auto first_fixed = std::find_if(sounds.begin(), sounds.end(), is_fixed_vowel);
    if (marked && first_fixed != sounds.end()) {
        first_fixed->stressed = true;
        return;
    }
    const std::optional<WordStress> known = lexicon ? lexicon->find(word) : std::nullopt;
    if (known) {
        if (known->vowel > 0) stress_vowel(sounds, known->vowel - 1u);
        for (Sound& s : sounds) {
            s.function_word = known->function_word;
            if (known->e_as_o && s.reducible && s.phone == phone_by_name("ee")) s.phone = *phone_by_name("oo");
        }
        return;
    }
    if (first_fixed != sounds.end()) {
        first_fixed->stressed = true;
    } else if (is_clitic(word)) {
        for (Sound& s : sounds) s.function_word = true;
    } else {
        stress_vowel(sounds, rule_stress(sounds, word, lexicon));
    }
}

}  // namespace velnor
