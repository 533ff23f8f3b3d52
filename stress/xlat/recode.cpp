#include "stress/xlat/recode.h"

#include "stress/xlat/code_table.h"
#include "platform/system_code_page.h"
#include "stress/xlat/utf8.h"

#include <climits>

namespace vl::xlat {

namespace {

// The custom table selected by a negative code page; INT32_MIN names none.
const CodeTable* custom_table(int32_t code_page) {
    return code_page == INT32_MIN ? nullptr : get_code_table(-code_page);
}

}  // namespace

void recode_text(std::string& text, int32_t from_code_page, int32_t to_code_page) {
    if (text.empty() || from_code_page == to_code_page) return;
    text = wide_to_text(text_to_wide(text, from_code_page), to_code_page);
}

std::u16string text_to_wide(std::string_view text, int32_t code_page) {
    if (code_page == kUtf8CodePage) return decode_utf8(text).value_or(std::u16string());
    if (code_page >= 0) return system_to_wide(text, code_page).value_or(std::u16string());
    const CodeTable* table = custom_table(code_page);
    if (!table) return {};
    std::u16string result(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i) result[i] = table->toWide[static_cast<unsigned char>(text[i])];
    return result;
}

std::string wide_to_text(std::u16string_view text, int32_t code_page) {
    if (code_page == kUtf8CodePage) return encode_utf8(text);
    if (code_page >= 0) return system_from_wide(text, code_page).value_or(std::string());
    const CodeTable* table = custom_table(code_page);
    if (!table) return {};
    std::string result(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) result[i] = static_cast<char>(table->fromWide[text[i]]);
    return result;
}

}  // namespace vl::xlat
