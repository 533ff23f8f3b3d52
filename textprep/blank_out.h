#pragma once
// Quote, bracket and line-break characters become blanks.
#include <string>
#include <string_view>

namespace vl {

// Line feed, form feed, carriage return, " ( ) * _ and '.
inline constexpr std::u16string_view kBlankingSet = u"\n\f\r\"()*_'";

// Every character of the text found in the set becomes the replacement. The
// text is changed where it stands: pass it in with std::move.
std::u16string blank_out_characters(std::u16string text, std::u16string_view set, char16_t replacement);

}  // namespace vl
