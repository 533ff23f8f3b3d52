#pragma once
// The text the synthesis engine reads for one segment, and the expected length
// of each client word once prepared.
#include <memory>
#include <string>
#include <string_view>

#include "engine/request_walker.h"
#include "textprep/prepare_text.h"

namespace vl {

struct LanguageState;
struct Settings;

// What text preparation reads, taken once for the whole request.
class PrepareSnapshot {
public:
    PrepareSnapshot(const LanguageState& language, const Settings& settings);
    const PrepareContext& context() const { return context_; }

private:
    std::shared_ptr<const std::u16string> language_;
    std::shared_ptr<const PronunciationTables> tables_;
    std::shared_ptr<const UserDictionary> dictionary_;
    PrepareContext context_;
};

// The segment's spans, each followed by a blank, trimmed of blanks and
// prepared; a spelled segment reads each character as a one-character
// request does, its names separated by blanks. Empty when there is nothing to say.
std::u16string prepare_segment(const Step& step, const PrepareContext& context);

// The expected spoken length of one word of the client's text: the word
// itself when preparation leaves such a word alone (Cyrillic letters, a capital
// only first), else the length of the word prepared alone, each run of digits
// counted as the number words the library reads it as and the pause after them.
size_t prepared_word_length(std::u16string_view word, const PrepareContext& context);

// About how many letters the library's words for a run of digits have.
size_t spoken_digits_length(std::u16string_view digits);

}  // namespace vl
