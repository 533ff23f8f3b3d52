#include "textprep/user_dictionary_stage.h"

#include "base/char_class.h"
#include "base/lowercase.h"

namespace vl {

std::u16string apply_user_dictionary(std::u16string_view text, const UserDictionary& dictionary) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 4);
    size_t i = 0;
    while (i < text.size()) {
        if (!is_letter(text[i])) {
            result += text[i++];
            continue;
        }
        // The word is lower-cased straight into the result and looked up there;
        // a found word is then replaced by its pronunciation.
        const size_t word_start = result.size();
        while (i < text.size() && is_letter(text[i])) result += to_lower(text[i++]);
        if (dictionary.empty()) continue;
        if (const auto pronunciation = dictionary.find(std::u16string_view(result).substr(word_start))) {
            result.resize(word_start);
            result += *pronunciation;
        }
    }
    return result;
}

bool looks_up_words_as_written(const Language& language) { return language.spelling != nullptr; }

std::optional<WrittenWord> find_written_word(std::u16string_view text, size_t from, const UserDictionary& dictionary) {
    if (dictionary.empty()) return std::nullopt;
    const auto inside_word = [&text](size_t i) {
        return is_letter(text[i]) || (is_apostrophe(text[i]) && i > 0 && is_letter(text[i - 1]) &&
                                      i + 1 < text.size() && is_letter(text[i + 1]));
    };
    std::u16string key;
    for (size_t i = from; i < text.size();) {
        if (!is_letter(text[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        key.clear();
        for (; i < text.size() && inside_word(i); ++i) key += word_key_char(text[i]);
        if (const auto pronunciation = dictionary.find(key)) return WrittenWord{start, i, *pronunciation};
    }
    return std::nullopt;
}

}  // namespace vl
