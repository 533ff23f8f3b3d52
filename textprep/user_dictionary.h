#pragma once
// The user's own word pronunciations, read from the dictionary file of the
// voice's language: one "word pronunciation" pair per line.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/published.h"

namespace vl {

// The engine's dictionary file in the voice's language folder.
inline constexpr std::string_view kUserDictionaryFileName = "dict.dic";

// An immutable map from lower-case word to pronunciation. Keys and
// pronunciations are views into one shared text, so copies are cheap and a
// lookup allocates nothing. A default-constructed dictionary is empty.
class UserDictionary {
public:
    UserDictionary() = default;

    // The file's bytes: UTF-8, an optional byte-order mark, lines ended by
    // CR, LF or CR LF. Each line is lower-cased whole; the word is the text
    // before the first blank, the pronunciation the text between the first and
    // the second blank. A later line with the same word wins.
    static UserDictionary parse(std::string_view bytes);

    // The pronunciation of a lower-case word, if it has one.
    std::optional<std::u16string_view> find(std::u16string_view word) const {
        const auto entry = entries_.find(word);
        if (entry == entries_.end()) return std::nullopt;
        return entry->second;
    }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

private:
    std::shared_ptr<const std::u16string> text_;
    std::unordered_map<std::u16string_view, std::u16string_view> entries_;
};

// The dictionary in the file, or nothing when the file cannot be read (the
// caller then keeps the dictionary it has).
std::optional<UserDictionary> load_user_dictionary(const std::filesystem::path& file);

// Reads the file and publishes its dictionary; when the file cannot be read the
// published dictionary stays as it was. True when a new one was published.
bool reload_user_dictionary(Published<UserDictionary>& dictionary, const std::filesystem::path& file);

// Publishes an empty dictionary.
void clear_user_dictionary(Published<UserDictionary>& dictionary);

}  // namespace vl
