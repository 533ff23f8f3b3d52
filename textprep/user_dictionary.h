#pragma once
// The user's own word pronunciations, as read from the dictionary file of the
// voice's language: one "word pronunciation" pair per line.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// The apostrophe inside Ukrainian words (п'ять, сім’я, обʼєкт) in its three
// forms: ' (U+0027), ’ (U+2019), ʼ (U+02BC).
inline constexpr std::u16string_view kApostrophes = u"'\u2019\u02BC";
inline bool is_apostrophe(char16_t c) { return kApostrophes.find(c) != std::u16string_view::npos; }
// A character of a word as the dictionary keys it: lower case, and every
// apostrophe as U+0027, so that each form finds the same entry.
char16_t word_key_char(char16_t c);

// An immutable map from lower-case word to pronunciation. Words and
// pronunciations are views into one text of their own; the table is open
// addressing over cached hashes, so a lookup allocates nothing and touches
// little memory. A default-constructed dictionary is empty.
class UserDictionary {
public:
    UserDictionary() = default;

    // The file's bytes: UTF-8 (code page 1251 when they are not valid UTF-8),
    // an optional byte-order mark, lines ended by CR, LF or CR LF. Each line is
    // lower-cased whole (a word's apostrophes become U+0027); the word is the text
    // before the first blank, the pronunciation the text between the first and
    // the second blank. A later line with the same word wins.
    static UserDictionary parse(std::string_view bytes);

    // The pronunciation of a word in word_key_char form, if it has one.
    std::optional<std::u16string_view> find(std::u16string_view word) const;
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::u16string_view word;
        std::u16string_view pronunciation;
    };
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0;  // 1-based index into entries_; 0 marks a free slot
    };

    void insert_or_assign(std::u16string_view word, std::u16string_view pronunciation);

    std::shared_ptr<const std::u16string> text_;  // what the views point into
    std::vector<Entry> entries_;
    std::vector<Slot> slots_;  // a power of two in size, at most half full
};

}  // namespace vl
