#include "textprep/blank_out.h"

#include <bitset>

namespace vl {

std::u16string blank_out_characters(std::u16string text, std::u16string_view set, char16_t replacement) {
    // Members below 0x80 are looked up in a bit set; any others by a search.
    std::bitset<0x80> ascii_members;
    std::u16string other_members;
    for (char16_t c : set) {
        if (c < 0x80) ascii_members.set(c);
        else other_members += c;
    }
    for (char16_t& c : text) {
        const bool member = c < 0x80 ? ascii_members[c] : other_members.find(c) != std::u16string::npos;
        if (member) c = replacement;
    }
    return text;
}

}  // namespace vl
