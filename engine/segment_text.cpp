#include "engine/segment_text.h"

#include "base/char_class.h"
#include "engine/client_text.h"
#include "engine/language_state.h"
#include "engine/settings.h"
#include "textprep/single_character.h"

namespace vl {

PrepareSnapshot::PrepareSnapshot(const LanguageState& language, const Settings& settings)
    : language_(language.language.get()),
      tables_(language.tables.get()),
      dictionary_(language.dictionary.get()),
      context_{*language_, settings.use_dictionary, settings.disable_decimal_separator, *tables_, *dictionary_} {}

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

size_t spoken_digits_length(std::u16string_view digits) {
    // Read digit by digit beyond twelve, as number words up to it.
    constexpr size_t kLongestNumber = 12;
    constexpr size_t kDigitName = 5;   // such as ‹пять›, ‹ноль›
    constexpr size_t kTensWord = 8;    // such as ‹двадцать›, ‹двести›
    constexpr size_t kTeenWord = 10;   // such as ‹двенадцать›
    constexpr size_t kGroupWord = 7;   // ‹тысячи›, ‹миллиона›
    if (digits.size() > kLongestNumber) return digits.size() * (kDigitName + 1);
    size_t leading_zeros = 0;
    while (leading_zeros + 1 < digits.size() && digits[leading_zeros] == u'0') ++leading_zeros;
    digits.remove_prefix(leading_zeros);
    size_t length = leading_zeros * (kDigitName + 1);
    if (digits == u"0") return length + kDigitName;
    for (size_t group_end = digits.size(), group = 0; group_end > 0; ++group) {
        const size_t group_start = group_end >= 3 ? group_end - 3 : 0;
        const std::u16string_view three = digits.substr(group_start, group_end - group_start);
        const auto digit = [&three](size_t from_end) { return from_end < three.size() ? three[three.size() - 1 - from_end] : u'0'; };
        size_t words = 0;
        if (digit(2) != u'0') words += kTensWord + 1;
        if (digit(1) == u'1') {
            words += kTeenWord + 1;
        } else {
            if (digit(1) != u'0') words += kTensWord + 1;
            if (digit(0) != u'0') words += kDigitName + 1;
        }
        if (words > 0 && group > 0) words += kGroupWord + 1;
        length += words;
        group_end = group_start;
    }
    return length > 0 ? length - 1 : 0;
}

size_t prepared_word_length(std::u16string_view word, const PrepareContext& context) {
    bool plain = true;
    for (size_t i = 0; i < word.size() && plain; ++i) {
        plain = letter_script(word[i]) == Script::cyrillic && (i == 0 || !is_upper_letter(word[i]));
    }
    if (plain) return word.size();
    // A number is followed by a pause, and a fraction read with the words for
    // its whole and its parts (‹три целых четырнадцать сотых›).
    constexpr size_t kPauseAfterNumber = 3;
    constexpr size_t kFractionWords = 12;
    const std::u16string prepared = prepare_stages(word, context);
    size_t length = 0;
    for (size_t i = 0; i < prepared.size();) {
        if (!is_digit(prepared[i])) {
            const bool fraction = i > 0 && i + 1 < prepared.size() && is_digit(prepared[i - 1]) &&
                                  is_digit(prepared[i + 1]) && (prepared[i] == u'.' || prepared[i] == u',');
            length += fraction ? kFractionWords : 1;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < prepared.size() && is_digit(prepared[end])) ++end;
        length += spoken_digits_length(std::u16string_view(prepared).substr(i, end - i));
        if (end == prepared.size()) length += kPauseAfterNumber;
        i = end;
    }
    return length;
}

}  // namespace vl
