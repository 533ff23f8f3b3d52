#include "textprep/ukrainian.h"

#include "base/char_class.h"
#include "textprep/pronunciation_list.h"

namespace vl {
namespace {

// A "й" with no letter on either side is the conjunction: it is written "йь".
std::u16string mark_standalone_short_i(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool short_i = c == u'й' || c == u'Й';
        const bool letter_before = i > 0 && is_letter(text[i - 1]);
        const bool letter_after = i + 1 < text.size() && is_letter(text[i + 1]);
        if (short_i && !letter_before && !letter_after) {
            result += u"йь";
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::u16string prepare_ukrainian(std::u16string_view text, const PronunciationTables& tables) {
    return apply_pronunciation_list(mark_standalone_short_i(text), tables.ukrainian);
}

}  // namespace vl
