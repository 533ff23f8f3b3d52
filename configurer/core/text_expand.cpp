#include "configurer/core/text_expand.h"

namespace vl {
namespace {

// Replaces every occurrence of from, left to right; replacements are not scanned again.
void replace_all(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    if (from.empty()) return;
    for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::u16string expand_text(std::u16string_view text) {
    std::u16string expanded(text);
    replace_all(expanded, u"%chr_nl%", u"\n");
    replace_all(expanded, u"%chr_tab%", u"\t");
    replace_all(expanded, u"%chr_quote%", u"\"");
    replace_all(expanded, u"%app%", kApplicationTitle);
    return expanded;
}

std::u16string substitute_placeholders(std::u16string_view text, const Placeholders& placeholders) {
    std::u16string result = expand_text(text);
    for (const auto& [key, value] : placeholders) replace_all(result, key, value);
    return result;
}

}  // namespace vl
