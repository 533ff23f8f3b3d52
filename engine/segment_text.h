#pragma once
// The text the synthesis engine reads for one segment, and the expected length
// of each client word once prepared.
#include <memory>
#include <string>
#include <string_view>

#include "engine/request_walker.h"
#include "textprep/prepare_text.h"

namespace vl {

struct EngineState;

// What text preparation reads, taken once for the whole request.
class PrepareSnapshot {
public:
    explicit PrepareSnapshot(const EngineState& state);
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

// The expected prepared length of one word of the client's text: the word
// itself when preparation leaves such a word alone (Cyrillic letters, a capital
// only first), else the length of the word prepared alone.
size_t prepared_word_length(std::u16string_view word, const PrepareContext& context);

}  // namespace vl
