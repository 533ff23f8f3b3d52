#include "velnor/phonetics/pronounce.h"

#include "velnor/phonetics/phone_features.h"

namespace velnor {
namespace {

constexpr bool is_glide(PhoneId p) { return p == phone("j"); }

class Reducer {
public:
    Reducer(std::vector<Sound>& sounds, bool stress_follows)
        : s_(sounds), stress_follows_(stress_follows) {
        for (const Sound& s : s_) {
            if (s.word >= word_has_vowel_.size()) word_has_vowel_.resize(s.word + 1u);
            if (is_vowel(s.phone)) word_has_vowel_[s.word] = true;
        }
    }

    void run() {
        for (size_t i = 0; i < s_.size(); ++i) {
            if (!s_[i].reducible) continue;
            if (ne_bylo(i)) {
                s_[i - 2].phone = phone("ee");
                s_[i].phone = phone("ay");
            } else {
                s_[i].phone = reduce(i);
            }
        }
    }

private:
    PhoneId before(size_t i) const { return i == 0 ? kPause : s_[i - 1].phone; }
    PhoneId after(size_t i) const { return i + 1 >= s_.size() ? kPause : s_[i + 1].phone; }

    // The next syllable, in this phrase or the next, carries its word's stress.
    // A word without a vowel (в, с, к) is an unstressed syllable of its own.
    bool stress_next(size_t i) const {
        for (size_t k = i + 1; k < s_.size(); ++k) {
            if (!word_has_vowel_[s_[k].word]) return false;
            if (is_vowel(s_[k].phone)) return s_[k].stressed;
        }
        return stress_follows_;
    }

    // "не было" (and "не были", ...) takes the stress on "не".
    bool ne_bylo(size_t i) const {
        return i >= 3 && i + 2 < s_.size() && s_[i].phone == phone("yy") && s_[i - 1].phone == phone("b") &&
               s_[i - 2].phone == phone("i") && s_[i - 3].phone == phone("nn") && s_[i + 1].phone == phone("l") &&
               s_[i + 2].reducible && s_[i + 2].phone == phone("oo");
    }

    PhoneId reduce(size_t i) const {
        const PhoneId stressed = s_[i].phone;
        const PhoneId p = before(i);
        // After a hard s (the preposition с) и sounds as ы.
        if (s_[i].stressed) return stressed == phone("ii") && p == phone("s") ? phone("yy") : stressed;
        // At a pause, after j or after a vowel: the first level.
        const bool open = p == kPause || after(i) == kPause || is_glide(p) || is_vowel(p);
        const bool soft = is_soft(p);
        if (stressed == phone("aa") || stressed == phone("oo")) {
            if (open || stress_next(i)) return phone("a");
        } else if (stressed == phone("ee")) {
            if (open) return phone("e");
            if (stress_next(i)) return soft ? phone("i") : phone("y");
        } else if (open || stress_next(i)) {
            if (stressed == phone("ii")) return phone("i");
            if (stressed == phone("yy")) return phone("y");
            return phone("u");
        }
        if (stressed == phone("uu")) return phone("ur");
        return soft ? phone("ae") : phone("ay");
    }

    std::vector<Sound>& s_;
    bool stress_follows_;
    std::vector<bool> word_has_vowel_;
};

bool is_v(PhoneId p) { return p == phone("v") || p == phone("vv"); }

// A word's last consonant devoices before a vowel, a sonorant, a pause, or v
// with a vowel or sonorant after it; a voiceless one voices before v and a
// voiced consonant; z becomes s before a voiceless one. Elsewhere, and at the
// end of a function word, a consonant takes the voicing of the one after it.
void assimilate_voicing(std::vector<Sound>& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const PhoneId p = s[i].phone;
        if (!has_voicing_pair(p)) continue;
        const PhoneId next = i + 1 < s.size() ? s[i + 1].phone : kPause;
        const PhoneId after_next = i + 2 < s.size() ? s[i + 2].phone : kPause;
        const bool voiced = is_voiced_of_pair(p);
        if (s[i].word_end && !s[i].function_word) {
            if (voiced && (is_sonorant(next) || next == kPause || is_vowel(next) ||
                           (is_v(next) && (is_vowel(after_next) || is_sonorant(after_next)))))
                s[i].phone = voicing_pair(p);
            else if (!voiced && is_v(next) && voices_before(after_next))
                s[i].phone = voicing_pair(p);
            else if (p == phone("z") && devoices_before(next))
                s[i].phone = phone("s");
        } else if (voiced ? devoices_before(next) : voices_before(next)) {
            s[i].phone = voicing_pair(p);
        }
    }
}

}  // namespace

void pronounce_phrase(std::vector<Sound>& sounds, bool stress_follows) {
    Reducer(sounds, stress_follows).run();
    assimilate_voicing(sounds);
}

}  // namespace velnor
