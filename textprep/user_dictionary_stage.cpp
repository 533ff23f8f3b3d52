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
        // The word (letters, and an apostrophe between two letters) is
        // lower-cased straight into the result and looked up there, with its
        // apostrophes in the dictionary's spelling; a found word is then
        // replaced by its pronunciation.
        const size_t word_start = result.size();
        bool apostrophe = false;
        while (i < text.size() &&
               (is_letter(text[i]) || (is_apostrophe(text[i]) && i + 1 < text.size() && is_letter(text[i + 1])))) {
            apostrophe = apostrophe || is_apostrophe(text[i]);
            result += to_lower(text[i++]);
        }
        if (dictionary.empty()) continue;
        std::u16string_view word = std::u16string_view(result).substr(word_start);
        std::u16string key;
        if (apostrophe) {
            key.assign(word.begin(), word.end());
            for (char16_t& c : key) c = word_key_char(c);
            word = key;
        }
        if (const auto pronunciation = dictionary.find(word)) {
            result.resize(word_start);
            result += *pronunciation;
        }
    }
    return result;
}

}  // namespace vl
