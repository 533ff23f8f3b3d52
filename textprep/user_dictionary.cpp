#include "textprep/user_dictionary.h"

#include <algorithm>
#include <bit>
#include <functional>

#include "base/cp1251.h"
#include "base/lowercase.h"

namespace vl {
namespace {

// The UTF-8 mark, and the UTF-16 marks, which are skipped as well (the text
// is still read as UTF-8).
std::string_view without_byte_order_mark(std::string_view bytes) {
    for (std::string_view mark : {std::string_view("\xEF\xBB\xBF"), std::string_view("\xFF\xFE"),
                                  std::string_view("\xFE\xFF")}) {
        if (bytes.starts_with(mark)) return bytes.substr(mark.size());
    }
    return bytes;
}

// Calls entry(word, pronunciation) for every line of the text: the word is the
// text before the first blank, the pronunciation the text between the first
// and the second blank. A line ends at CR, LF or CR LF.
template <typename Callback>
void for_each_line_entry(std::u16string_view text, Callback entry) {
    constexpr size_t kNone = std::u16string_view::npos;
    size_t start = 0;
    while (start < text.size()) {
        size_t first_blank = kNone;
        size_t second_blank = kNone;
        size_t end = start;
        for (; end < text.size() && text[end] != u'\n' && text[end] != u'\r'; ++end) {
            if (text[end] != u' ') continue;
            if (first_blank == kNone) {
                first_blank = end;
            } else if (second_blank == kNone) {
                second_blank = end;
            }
        }
        if (first_blank == kNone) {
            entry(text.substr(start, end - start), std::u16string_view());
        } else {
            const size_t pronunciation_end = second_blank == kNone ? end : second_blank;
            entry(text.substr(start, first_blank - start),
                  text.substr(first_blank + 1, pronunciation_end - first_blank - 1));
        }
        start = end + 1;
        if (end < text.size() && text[end] == u'\r' && start < text.size() && text[start] == u'\n') ++start;
    }
}

std::uint32_t hash_of(std::u16string_view word) {
    return static_cast<std::uint32_t>(std::hash<std::u16string_view>()(word));
}

}  // namespace

char16_t word_key_char(char16_t c) { return is_apostrophe(c) ? u'\'' : to_lower(c); }

UserDictionary UserDictionary::parse(std::string_view bytes) {
    const std::u16string lines = utf8_or_cp1251_to_utf16(without_byte_order_mark(bytes));

    // The words and pronunciations are copied, lower-cased, into a text of
    // exactly their size; the rest of each line is not kept. Lower-casing maps
    // no character to a blank or a line end, so the fields of a line are
    // those of the line lower-cased whole.
    size_t count = 0;
    size_t kept = 0;
    for_each_line_entry(lines, [&](std::u16string_view word, std::u16string_view pronunciation) {
        ++count;
        kept += word.size() + pronunciation.size();
    });
    auto text = std::make_shared<std::u16string>(kept, u'\0');
    UserDictionary dictionary;
    dictionary.entries_.reserve(count);
    dictionary.slots_.resize(std::bit_ceil(std::max<size_t>(2 * count, 16)));
    char16_t* out = text->data();
    const auto keep = [&out](std::u16string_view part, char16_t (*convert)(char16_t)) {
        const std::u16string_view copy(out, part.size());
        out = std::transform(part.begin(), part.end(), out, convert);
        return copy;
    };
    for_each_line_entry(lines, [&](std::u16string_view word, std::u16string_view pronunciation) {
        const std::u16string_view kept_word = keep(word, word_key_char);
        dictionary.insert_or_assign(kept_word, keep(pronunciation, [](char16_t c) { return to_lower(c); }));
    });
    dictionary.text_ = std::move(text);
    return dictionary;
}

void UserDictionary::insert_or_assign(std::u16string_view word, std::u16string_view pronunciation) {
    const std::uint32_t hash = hash_of(word);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.entry == 0) {
            entries_.push_back({word, pronunciation});
            slot = {hash, static_cast<std::uint32_t>(entries_.size())};
            return;
        }
        if (slot.hash == hash && entries_[slot.entry - 1].word == word) {
            entries_[slot.entry - 1].pronunciation = pronunciation;
            return;
        }
    }
}

std::optional<std::u16string_view> UserDictionary::find(std::u16string_view word) const {
    if (slots_.empty()) return std::nullopt;
    const std::uint32_t hash = hash_of(word);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.entry == 0) return std::nullopt;
        if (slot.hash == hash && entries_[slot.entry - 1].word == word) return entries_[slot.entry - 1].pronunciation;
    }
}

}  // namespace vl
