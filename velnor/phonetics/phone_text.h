#pragma once
// The phones of a text written out, as a user is shown why a word sounds as it does.
#include <string>
#include <string_view>

namespace velnor {

class Lexicon;

// The voice's phone names, blank-separated, "pau" between the phrases of a
// sentence, each sentence (a phrase ending in . ! ? or the text's end) on a
// line of its own ending in '\n'. Empty for a text without words.
std::string phone_text(std::string_view text, const Lexicon* lexicon);

}  // namespace velnor
