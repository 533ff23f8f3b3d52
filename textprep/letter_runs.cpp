#include "textprep/letter_runs.h"

#include "base/char_class.h"
#include "textprep/single_character.h"

namespace vl {
namespace {

// A blank before a capital followed by a small letter, and before a letter
// that follows a digit: ‹HelloWorld› becomes ‹ Hello World›, ‹5кг› ‹5 кг›.
std::u16string split_at_boundaries(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (is_letter(c)) {
            if (is_upper_letter(c) && i + 1 < text.size() && is_lower_letter(text[i + 1])) result += u' ';
            if (i > 0 && is_digit(text[i - 1])) result += u' ';
        }
        result += c;
    }
    return result;
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

std::u16string read_letter_runs(std::u16string_view text, const PronunciationTables& tables) {
    const std::u16string split = split_at_boundaries(text);
    const std::u16string_view s(split);
    std::u16string result;
    result.reserve(s.size() + s.size() / 4);
    size_t i = 0;
    while (i < s.size()) {
        if (!is_letter(s[i])) {
            result += s[i++];
            continue;
        }
        size_t end = i + 1;
        while (end < s.size() && is_letter(s[end])) ++end;
        const std::u16string_view word = s.substr(i, end - i);
        if (word.size() == 1) {
            if (letter_script(word[0]) == Script::cyrillic) {
                result += word;
            } else {
                spell(result, word, tables);
            }
        } else if (is_spelled(word)) {
            spell(result, word, tables);
        } else {
            result += word;
        }
        i = end;
    }
    return result;
}

}  // namespace vl
