#include "engine/segment_text.h"

#include "base/char_class.h"
#include "engine/client_text.h"
#include "engine/engine_state.h"
#include "textprep/single_character.h"

namespace vl {

PrepareSnapshot::PrepareSnapshot(const EngineState& state)
    : language_(state.language.get()),
      tables_(state.tables.get()),
      dictionary_(state.dictionary.get()),
      context_{*language_, state.settings.use_dictionary, state.settings.disable_decimal_separator, *tables_,
               *dictionary_} {}

std::u16string prepare_segment(const Step& step, const PrepareContext& context) {
    std::u16string text;
    if (step.fragment->action == FragmentAction::spell_out) {
        for (const ClientSpan& span : step.spans) {
            for (const char16_t c : span.text()) {
                if (is_text_space(c)) continue;
                if (!text.empty()) text += u' ';
                append_character_name(text, c, context.tables);
            }
        }
        return text;
    }
    for (const ClientSpan& span : step.spans) {
        text += span.text();
        text += u' ';
    }
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return prepare_text(std::u16string_view(text).substr(first, text.find_last_not_of(u' ') - first + 1), context);
}

size_t prepared_word_length(std::u16string_view word, const PrepareContext& context) {
    for (size_t i = 0; i < word.size(); ++i) {
        if (letter_script(word[i]) != Script::cyrillic || (i > 0 && is_upper_letter(word[i]))) {
            return prepare_stages(word, context).size();
        }
    }
    return word.size();
}

}  // namespace vl
