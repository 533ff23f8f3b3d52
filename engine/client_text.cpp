#include "engine/client_text.h"

#include <array>

#include "base/char_class.h"
#include "base/lowercase.h"

namespace vl {
namespace {

bool ends_sentence(char16_t c) { return c == u'.' || c == u'!' || c == u'?' || c == u'\u2026'; }

bool closes_quote(char16_t c) {
    return std::u16string_view(u"\"')]}\u00BB\u201D\u2019").find(c) != std::u16string_view::npos;
}

bool is_dash(char16_t c) { return std::u16string_view(u"-\u2010\u2013\u2014").find(c) != std::u16string_view::npos; }

// Punctuation that is not read as a word of its own.
bool is_word_punctuation(char16_t c) {
    return ends_sentence(c) || closes_quote(c) || is_dash(c) ||
           std::u16string_view(u",;:([{\u00AB\u201C\u201E\u2018").find(c) != std::u16string_view::npos;
}

// Russian and Ukrainian abbreviations written with a full stop, in lower case;
// a stop after one of them ends no sentence (‹г. Москва›, ‹т. е.›, ‹и т. д.›).
constexpr std::array<std::u16string_view, 29> kAbbreviations = {
    u"г",   u"гг",  u"ул",  u"рис",  u"табл", u"стр",  u"см",   u"т",   u"е",   u"д",
    u"др",  u"им",  u"пр",  u"ср",   u"напр", u"проф", u"акад", u"тыс", u"млн", u"млрд",
    u"руб", u"коп", u"вул", u"див",  u"ім",   u"тис",  u"грн",  u"ст",  u"р",
};

bool same_lowered(std::u16string_view word, std::u16string_view lower) {
    if (word.size() != lower.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (to_lower(word[i]) != lower[i]) return false;
    }
    return true;
}

// True when the full stop at text[stop] closes an initial (a lone capital
// letter, ‹А. С. Пушкин›) or an abbreviation.
bool is_abbreviation_stop(std::u16string_view text, size_t stop) {
    size_t start = stop;
    while (start > 0 && is_letter(text[start - 1])) --start;
    if (start == stop || (start > 0 && !is_text_space(text[start - 1]) && !is_word_punctuation(text[start - 1]))) {
        return false;
    }
    const std::u16string_view word = text.substr(start, stop - start);
    if (word.size() == 1 && is_upper_letter(word[0])) return true;
    for (const std::u16string_view abbreviation : kAbbreviations) {
        if (same_lowered(word, abbreviation)) return true;
    }
    return false;
}

}  // namespace

bool is_text_space(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 ||
           c == 0x2029 || c == 0x3000;
}

size_t sentence_end(std::u16string_view text, size_t from, size_t limit) {
    for (size_t i = from; i < limit; ++i) {
        if (is_text_space(text[i])) {
            size_t line_feeds = 0;
            size_t j = i;
            for (; j < text.size() && is_text_space(text[j]); ++j) line_feeds += text[j] == u'\n';
            if (line_feeds >= 2) return i;
            i = j - 1;
            continue;
        }
        if (!ends_sentence(text[i])) continue;
        size_t end = i + 1;
        while (end < text.size() && (ends_sentence(text[end]) || closes_quote(text[end]))) ++end;
        const bool lone_stop = text[i] == u'.' && (i + 1 == text.size() || !ends_sentence(text[i + 1]));
        if ((end < text.size() && !is_text_space(text[end])) || (lone_stop && is_abbreviation_stop(text, i))) {
            i = end - 1;
            continue;
        }
        size_t next = end;
        while (next < text.size() && (is_text_space(text[next]) || is_dash(text[next]) || closes_quote(text[next]))) {
            ++next;
        }
        if (next == text.size() || !is_lower_letter(text[next])) return end;
        i = end - 1;
    }
    return std::u16string_view::npos;
}
WordSpan next_word(std::u16string_view text, size_t from) {
    for (size_t i = from; i < text.size();) {
        while (i < text.size() && is_text_space(text[i])) ++i;
        size_t run_end = i;
        while (run_end < text.size() && !is_text_space(text[run_end])) ++run_end;
        size_t start = i;
        size_t end = run_end;
        while (start < end && is_word_punctuation(text[start])) ++start;
        while (end > start && is_word_punctuation(text[end - 1])) --end;
        if (start < end) return {start, end};
        i = run_end;
    }
    return {text.size(), text.size()};
}

}  // namespace vl
