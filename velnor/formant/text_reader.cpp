#include "velnor/formant/text_reader.h"

#include <algorithm>
#include <string>

#include "velnor/number_words.h"

namespace velnor::formant {
namespace {

using u8 = unsigned char;

// Lower-case form of a letter in code page 1251, 0 for anything that is not a letter.
u8 letter_of(u8 c) {
    if (c >= 0xE0 || (c >= 'a' && c <= 'z')) return c;
    if (c >= 0xC0) return static_cast<u8>(c + 0x20);
    if (c >= 'A' && c <= 'Z') return static_cast<u8>(c + 0x20);
    switch (c) {
    case 0xA8: case 0xB8: return 0xB8;  // Ё ё
    case 0xB2: case 0xB3: return 0xB3;  // І і
    case 0xAF: case 0xBF: return 0xBF;  // Ї ї
    case 0xAA: case 0xBA: return 0xBA;  // Є є
    case 0xA5: case 0xB4: return 0xB4;  // Ґ ґ
    default: return 0;
    }
}

bool is_digit(u8 c) { return c >= '0' && c <= '9'; }
bool is_word_part(u8 c) { return letter_of(c) != 0 || c == '+'; }

bool is_vowel_letter(u8 letter) {
    switch (letter) {
    case 0xE0: case 0xE5: case 0xE8: case 0xEE: case 0xF3: case 0xFB: case 0xFD: case 0xFE: case 0xFF:
    case 0xB8: case 0xB3: case 0xBF: case 0xBA:
    case 'a': case 'e': case 'i': case 'o': case 'u': case 'y':
        return true;
    default:
        return false;
    }
}

Break break_at(const u8* at, const u8* text_start) {
    switch (*at) {
    case '.': case '!': case 0x85: return Break::sentence;
    case '?': return Break::question;
    case ',': case ';': case ':': case '(': case ')': case 0x96: case 0x97: return Break::comma;
    case '-': {
        // Only a dash standing between blanks; a hyphen inside a word is silent.
        const bool blank_before = at == text_start || !(is_word_part(at[-1]) || is_digit(at[-1]));
        const bool blank_after = at[1] == 0 || !(is_word_part(at[1]) || is_digit(at[1]));
        return blank_before && blank_after ? Break::comma : Break::none;
    }
    default: return Break::none;
    }
}

// The punctuation right after a word, looking past blanks.
Break ending_after(const u8* end, const u8* text_start) {
    while (*end == ' ' || *end == '\t') ++end;
    return break_at(end, text_start);
}

// Cyrillic letters that a Latin letter is read as.
const char* cyrillic_for_latin(u8 latin) {
    static constexpr const char* kLatin[26] = {
        "\xE0", "\xE1", "\xEA", "\xE4", "\xFD", "\xF4", "\xE3", "\xF5", "\xE8", "\xE4\xE6", "\xEA", "\xEB", "\xEC",
        "\xED", "\xEE", "\xEF", "\xEA", "\xF0", "\xF1", "\xF2", "\xF3", "\xE2", "\xE2", "\xEA\xF1", "\xFB", "\xE7"};
    return kLatin[latin - 'a'];
}

class WordReader {
public:
    WordReader(PhoneSink& sink, bool reduce_unstressed_o) : sink_(sink), reduce_o_(reduce_unstressed_o) {}

    // One Cyrillic letter (lower case, code page 1251); `previous` is 0 at the word start.
    void letter(u8 c, u8 previous, bool stressed) {
        // Consonants б..щ in code order; the vowels among them are handled below and never looked up.
        static constexpr Phone kConsonants[] = {
            Phone::B, Phone::V, Phone::G, Phone::D, Phone::A /*е*/, Phone::ZH, Phone::Z, Phone::A /*и*/, Phone::J,
            Phone::K, Phone::L, Phone::M, Phone::N, Phone::A /*о*/, Phone::P, Phone::R, Phone::S, Phone::T,
            Phone::A /*у*/, Phone::F, Phone::H, Phone::TS, Phone::CH, Phone::SH, Phone::SCH};
        const bool iotated_position = previous == 0 || previous == 0xFA || previous == 0xFC || is_vowel_letter(previous);
        switch (c) {
        case 0xE0: vowel(Phone::A, stressed); return;
        case 0xE5: case 0xBA: iotated(Phone::E, stressed, iotated_position); return;
        case 0xE8: case 0xB3: vowel(Phone::I, stressed); return;
        case 0xEE: vowel(reduce_o_ && !stressed ? Phone::A : Phone::O, stressed); return;
        case 0xF3: vowel(Phone::U, stressed); return;
        case 0xFB: vowel(Phone::Y, stressed); return;
        case 0xFD: vowel(Phone::E, stressed); return;
        case 0xFE: iotated(Phone::U, stressed, iotated_position); return;
        case 0xFF: iotated(Phone::A, stressed, iotated_position); return;
        case 0xB8: iotated(Phone::O, stressed, iotated_position); return;
        case 0xBF: iotated(Phone::I, stressed, true); return;
        case 0xB4: sink_.phone(Phone::G, false); return;
        case 0xFA: case 0xFC: return;  // hard and soft signs are not sounded
        default:
            if (c >= 0xE1 && c <= 0xF9) sink_.phone(kConsonants[c - 0xE1], false);
        }
    }

private:
    void vowel(Phone phone, bool stressed) { sink_.phone(phone, stressed); }
    void iotated(Phone phone, bool stressed, bool with_glide) {
        if (with_glide) sink_.phone(Phone::J, false);
        sink_.phone(phone, stressed);
    }

    PhoneSink& sink_;
    bool reduce_o_;
};

// The end of the word that starts at `p`: its letters and stress marks.
const u8* end_of_word(const u8* p) {
    while (is_word_part(*p)) ++p;
    return p;
}

// Reads the word from `p` to `end`.
void read_word(const u8* p, const u8* end, Break ending, PhoneSink& sink) {
    sink.word(ending);
    // Unstressed "о" sounds as "а" where the stress is known.
    WordReader reader(sink, std::find(p, end, '+') != end);
    u8 previous = 0;
    for (const u8* q = p; q < end; ++q) {
        const u8 c = letter_of(*q);
        if (c == 0) continue;  // a stress mark
        const bool stressed = q + 1 < end && q[1] == '+';
        if (c < 0x80) {
            for (const char* s = cyrillic_for_latin(c); *s; ++s) {
                reader.letter(static_cast<u8>(*s), previous, stressed && s[1] == 0);
                previous = static_cast<u8>(*s);
            }
        } else {
            reader.letter(c, previous, stressed);
            previous = c;
        }
    }
}

// Reads a run of digits as number words and returns the position after it.
const u8* read_number(const u8* p, const u8* text_start, PhoneSink& sink) {
    const u8* end = p;
    while (is_digit(*end)) ++end;
    const Break ending = ending_after(end, text_start);
    const size_t length = static_cast<size_t>(end - p);
    // Long runs (codes, telephone numbers) are read one digit at a time.
    const size_t step = length <= vl::velnor::kMaxNumberDigits ? length : 1;
    for (const u8* group = p; group < end && !sink.stopped(); group += step) {
        const std::string words = vl::velnor::number_words({reinterpret_cast<const char*>(group), step});
        const auto* w = reinterpret_cast<const u8*>(words.c_str());
        while (*w) {
            if (*w == ' ') {
                ++w;
                continue;
            }
            const u8* word_end = end_of_word(w);
            const bool last = *word_end == 0 && group + step >= end;
            read_word(w, word_end, last ? ending : Break::none, sink);
            w = word_end;
        }
    }
    return end;
}

}  // namespace

void read_text(const char* text, PhoneSink& sink) {
    const auto* start = reinterpret_cast<const u8*>(text);
    const u8* p = start;
    Break pending = Break::none;
    bool spoken = false;
    while (*p != 0 && !sink.stopped()) {
        const bool letter = letter_of(*p) != 0;
        if (letter || is_digit(*p)) {
            if (spoken && pending != Break::none) sink.pause(pending);
            pending = Break::none;
            spoken = true;
            if (letter) {
                const u8* end = end_of_word(p);
                read_word(p, end, ending_after(end, start), sink);
                p = end;
            } else {
                p = read_number(p, start, sink);
            }
            continue;
        }
        const Break here = break_at(p, start);
        if (here > pending) pending = here;
        ++p;
    }
    // Punctuation after the last word pauses too: a caller that speaks a text
    // sentence by sentence gets the same pauses as from one call.
    if (spoken && pending != Break::none && !sink.stopped()) sink.pause(pending);
}

}  // namespace velnor::formant
