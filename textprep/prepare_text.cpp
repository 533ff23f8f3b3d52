#include "textprep/prepare_text.h"

#include "base/char_class.h"
#include "textprep/blank_out.h"
#include "textprep/english_pronunciation.h"
#include "textprep/letter_runs.h"
#include "textprep/numbers.h"
#include "textprep/single_character.h"
#include "textprep/spelling.h"
#include "textprep/symbols.h"
#include "textprep/text_pieces.h"
#include "textprep/user_dictionary_stage.h"

namespace vl {
namespace {

// Long enough that the stages' set-up costs nothing per character, short
// enough that a piece and its copies stay in the processor's cache.
constexpr size_t kPieceLength = 16 * 1024;

const SpellingRules* spelling_of(std::u16string_view code) {
    const Language* language = find_language(code);
    return language ? language->spelling : nullptr;
}

// The stages from the symbols on, over text no word of which the dictionary
// has found as written.
std::u16string prepare_in_order(std::u16string_view text, const PrepareContext& context) {
    std::u16string result = replace_symbols(text, context.tables);
    if (const SpellingRules* spelling = spelling_of(context.language))
        result = apply_spelling(result, *spelling, context.tables);
    result = prepare_numbers(result, context.disable_decimal_separator != 0);
    result = blank_out_characters(std::move(result), kBlankingSet, u' ');
    result = read_letter_runs(result, context.tables);
    result = apply_english_pronunciation(std::move(result), context.tables, kMaxTextGrowth * text.size());
    if (context.use_dictionary >= 2) result = apply_user_dictionary(result, context.dictionary);
    return result;
}

}  // namespace

// A word the dictionary has as written becomes its pronunciation as it stands;
// the text between such words goes through the stages as always.
std::u16string prepare_stages(std::u16string_view text, const PrepareContext& context) {
    const Language* language = find_language(context.language);
    if (context.use_dictionary < 2 || !language || !looks_up_words_as_written(*language))
        return prepare_in_order(text, context);
    std::u16string result;
    size_t start = 0;
    while (const auto word = find_written_word(text, start, context.dictionary)) {
        result += prepare_in_order(text.substr(start, word->start - start), context);
        // Parted from digits before it, as the letter-run stage parts ‹5кг›.
        if (word->start > 0 && is_digit(text[word->start - 1])) result += u' ';
        result += word->pronunciation;
        start = word->end;
    }
    result += prepare_in_order(text.substr(start), context);
    return result;
}

std::u16string prepare_text(std::u16string_view text, const PrepareContext& context) {
    if (text.size() == 1) return read_single_character(text, context.tables);
    if (text.size() <= kPieceLength) return prepare_stages(text, context);
    const TextPieces pieces(context.tables, spelling_of(context.language) != nullptr);
    std::u16string result;
    result.reserve(text.size() + text.size() / 4);
    for (size_t start = 0; start < text.size();) {
        const size_t end = pieces.piece_end(text, start, kPieceLength);
        result += prepare_stages(text.substr(start, end - start), context);
        start = end;
    }
    return result;
}

}  // namespace vl
