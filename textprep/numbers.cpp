#include "textprep/numbers.h"

#include <iterator>

#include "base/char_class.h"

namespace vl {
namespace {

// The 1-based field of the endings split at "|"; empty when there is no such field.
std::u16string_view field(std::u16string_view forms, int number) {
    for (; number > 1; --number) {
        const size_t bar = forms.find(u'|');
        if (bar == std::u16string_view::npos) return {};
        forms.remove_prefix(bar + 1);
    }
    return forms.substr(0, forms.find(u'|'));
}

int ending_field(std::size_t count) {
    const std::size_t last_two = count % 100;
    const std::size_t last = count % 10;
    if (last_two >= 11 && last_two <= 14) return 1;
    if (last == 1) return 2;
    if (last >= 2 && last <= 4) return 3;
    return 1;
}

}  // namespace

std::u16string format_count(std::u16string_view pattern, std::size_t count) {
    std::u16string text(pattern);
    // A group is a "[" with a "]" after it; each pass removes one closing
    // bracket, so the loop ends even on a malformed template.
    for (;;) {
        const size_t open = text.find(u'[');
        if (open == std::u16string::npos) break;
        const size_t close = text.find(u']', open);
        if (close == std::u16string::npos) break;
        const std::u16string_view forms = std::u16string_view(text).substr(open + 1, close - open - 1);
        const std::u16string ending(field(forms, ending_field(count)));
        text.replace(open, close - open + 1, ending);
    }

    char16_t digits[20];  // enough for any 64-bit count
    char16_t* first = std::end(digits);
    std::size_t rest = count;
    do {
        *--first = static_cast<char16_t>(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    const std::u16string_view number(first, std::end(digits) - first);
    for (size_t slot = text.find(u"%d"); slot != std::u16string::npos; slot = text.find(u"%d", slot + number.size())) {
        text.replace(slot, 2, number);
    }
    return text;
}

std::u16string prepare_numbers(std::u16string_view text, bool disable_decimal_separator) {
    constexpr char16_t kNone = 0;  // prev at the start and past the end: not a digit
    std::u16string result;
    result.reserve(text.size() + text.size() / 4 + 16);
    char16_t prev = kNone;
    size_t i = 0;
    while (i < text.size()) {
        char16_t c = text[i];
        if (c == u'0' && !is_digit(prev)) {
            const size_t start = i;
            while (i < text.size() && text[i] == u'0') ++i;
            const size_t zeros = i - start;
            if (zeros == 1) {
                result += kSingleZero;
            } else {
                result += format_count(kZeroCountTemplate, zeros);
            }
            // The character after the run is examined next like any other,
            // but prev already holds it: a blank or point there follows no digit.
            prev = i < text.size() ? text[i] : kNone;
            continue;
        }
        if (c == u' ' && is_digit(prev)) {
            result += u" ,";
        } else if (c == u'.') {
            const char16_t next = i + 1 < text.size() ? text[i + 1] : kNone;
            if (disable_decimal_separator && is_digit(prev) && is_digit(next)) c = u':';
            if (next == u'0') c = u':';
        }
        result += c;
        prev = c;
        ++i;
    }
    return result;
}

}  // namespace vl
