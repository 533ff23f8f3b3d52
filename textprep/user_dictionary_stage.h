#pragma once
// The user dictionary in the text: words found in it are replaced; every word
// leaves the last stage in lower case.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "contract/languages.h"
#include "textprep/user_dictionary.h"

namespace vl {

// The last stage: every run of letters is lower-cased and, when the dictionary
// has it, replaced by its pronunciation.
std::u16string apply_user_dictionary(std::u16string_view text, const UserDictionary& dictionary);

// The voices of a language with a spelling stage of its own (Ukrainian) look
// the user's words up as they are written, before that stage rewrites their
// letters and the symbol stages blank their apostrophes; the last stage then
// sees only the words not found.
bool looks_up_words_as_written(const Language& language);

// A word of the text, as written, that the dictionary has: letters, with an
// apostrophe (any form) between two letters kept inside it (п'ять).
struct WrittenWord {
    size_t start = 0;
    size_t end = 0;
    std::u16string_view pronunciation;
};

// The first such word at or after `from`, which is not inside a word.
std::optional<WrittenWord> find_written_word(std::u16string_view text, size_t from, const UserDictionary& dictionary);

}  // namespace vl
