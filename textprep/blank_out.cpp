#include "textprep/blank_out.h"

namespace vl {

std::u16string blank_out_characters(std::u16string_view text, std::u16string_view set, char16_t replacement) {
    std::u16string result(text);
    for (char16_t& c : result) {
        if (set.find(c) != std::u16string_view::npos) c = replacement;
    }
    return result;
}

}  // namespace vl
