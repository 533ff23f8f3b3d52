#include "textprep/letter_runs.h"

#include "base/char_class.h"
#include "textprep/single_character.h"

namespace vl {
namespace {

// A capital followed by a small letter starts a word of its own.
bool starts_word(std::u16string_view text, size_t i) {
    return is_upper_letter(text[i]) && i + 1 < text.size() && is_lower_letter(text[i + 1]);
}

// Consonants only (two or more letters, any case), or an all-capital word of at
// least four letters made of consonants and one final vowel (‹ЦСКА›).
bool is_spelled(std::u16string_view word) {
    if (all_characters(word, is_consonant)) return true;
    if (word.size() < 4 || !all_characters(word, is_upper_letter)) return false;
    return is_vowel(word.back()) && all_characters(word.substr(0, word.size() - 1), is_consonant);
}

void spell(std::u16string& out, std::u16string_view word, const PronunciationTables& tables) {
    for (char16_t letter : word) {
        out += u' ';
        append_character_name(out, letter, tables);
        out += u' ';
    }
}

}  // namespace

// One pass: words are split with a blank before a capital followed by a small
// letter and before a letter that follows a digit (‹HelloWorld› is read as
// ‹ Hello World›, ‹5кг› as ‹5 кг›), then each run of letters is read.
std::u16string read_letter_runs(std::u16string_view text, const PronunciationTables& tables) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 4);
    size_t copied = 0;  // text before this is in result
    size_t i = 0;
    while (i < text.size()) {
        if (!is_letter(text[i])) {
            ++i;
            continue;
        }
        const size_t blanks = (starts_word(text, i) ? 1 : 0) + (i > 0 && is_digit(text[i - 1]) ? 1 : 0);
        size_t end = i + 1;
        while (end < text.size() && is_letter(text[end]) && !starts_word(text, end)) ++end;
        const std::u16string_view word = text.substr(i, end - i);
        const bool spelled = word.size() == 1 ? letter_script(word[0]) == Script::latin : is_spelled(word);
        if (blanks > 0 || spelled) {
            result.append(text, copied, i - copied);
            result.append(blanks, u' ');
            if (spelled) {
                spell(result, word, tables);
            } else {
                result += word;
            }
            copied = end;
        }
        i = end;
    }
    result.append(text, copied);
    return result;
}

}  // namespace vl
