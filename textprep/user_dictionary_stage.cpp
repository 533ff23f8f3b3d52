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

}  // namespace vl
