#pragma once
// The two text functions every shown text goes through.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vl {

// The application title that "%app%" stands for: empty in this program.
inline constexpr std::u16string_view kApplicationTitle = u"";

// Replaces every "%chr_nl%" by a line feed, then every "%chr_tab%" by a tab,
// every "%chr_quote%" by a double quotation mark and every "%app%" by the
// application title.
std::u16string expand_text(std::u16string_view text);

// expand_text of the template, then every occurrence of each key replaced by
// its value, key by key in the order given.
using Placeholders = std::vector<std::pair<std::u16string_view, std::u16string_view>>;
std::u16string substitute_placeholders(std::u16string_view text, const Placeholders& placeholders);

}  // namespace vl
