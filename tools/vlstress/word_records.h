#pragma once
// Word records of the stress dictionary made from the lines of word lists: keys
// and data in code page 1251, as stress lookup reads them.
#include <optional>
#include <string>
#include <string_view>

namespace vl::stress_tool {

struct WordRecord {
    std::string key;
    std::string data;
};

// What a line of a list gives: a record, nothing to add, a word without a usable
// stress, or a refusal.
struct LineResult {
    enum class Kind { record, skipped, unstressed, malformed } kind = Kind::skipped;
    WordRecord record;
};

// A line ‹word stressed-form› (UTF-8). A form that is the lower-cased word with
// one to three "+" marks makes a record of stress positions when they fit in
// one; any other form is a replacement text. Blank lines are skipped.
LineResult parse_list_line(std::string_view line);

// An entry ‹("word" POS (N) [fix_yo])› of the Festival Russian dictionary:
// the word's key, its part of speech, N the stressed vowel counted from 1 (0
// for none) and whether fix_yo says its е are ё.
struct FestivalEntry {
    std::string key;
    std::string part_of_speech;
    int vowel_number = 0;
    bool yo = false;
};

// A line of the Festival dictionary (UTF-8): nothing for a line that does not
// start with "(", an error text for a malformed one.
struct FestivalLine {
    enum class Kind { entry, skipped, malformed } kind = Kind::skipped;
    FestivalEntry entry;
};
FestivalLine parse_festival_entry(std::string_view line);

// A Festival dictionary line as a record; a word without a stress (N = 0) or
// with fewer vowels than N is unstressed.
LineResult parse_festival_line(std::string_view line);

// The key of a word as lookup forms it: letters lowered, hyphens left out.
std::string word_key(std::string_view cp1251_word);

// The record for a word and its stressed form (both code page 1251); nothing
// when the data would be read back as something else.
std::optional<WordRecord> make_record(std::string_view cp1251_word, std::string_view cp1251_form);

}  // namespace vl::stress_tool
