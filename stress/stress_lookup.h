#pragma once
// Marking stress in a text: splitting it into Cyrillic words, looking each word up
// in the main table and inserting the stress marks its record gives.
#include <cstdint>
#include <string>
#include <string_view>

#include "stress/dictionary_state.h"

namespace vl::dict {

// Stresses the text (in the state's code page) and hands the result to the text
// callback; each looked-up word goes to the word callback. Needs the main cursor.
int32_t stress_text(const DictionaryState& state, std::string_view text);

// The output form of a key (code page 1251): its record rendered, or the key
// itself without trailing digits when there is no record.
std::string lookup_word(LexCursor* main_cursor, std::string_view key);

// The key with the record's stress positions inserted, or the record's
// replacement text.
std::string render_entry(std::string_view key, std::string_view data);

}  // namespace vl::dict
