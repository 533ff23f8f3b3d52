#pragma once
// The pronunciation tables of one language: letter names, symbol names, the
// English rewrite list and the language's own spelling rewrite list. A set is built once (loaded from
// pronunc.dic) and then shared read-only through Published<PronunciationTables>.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vl {

// A map keyed by one UTF-16 code unit. A presence bit per code unit answers the
// common miss without touching the hash map.
template <typename Value>
class CharacterMap {
public:
    // Sets the value of `key`, replacing an earlier one.
    void set(char16_t key, Value value) {
        present_.set(key);
        map_.insert_or_assign(key, std::move(value));
    }
    const Value* find(char16_t key) const {
        if (!present_[key]) return nullptr;
        return &map_.find(key)->second;
    }
    bool empty() const { return map_.empty(); }
    size_t size() const { return map_.size(); }

private:
    std::bitset<0x10000> present_;
    std::unordered_map<char16_t, Value> map_;
};

struct SymbolName {
    std::u16string name;
    int32_t always = 0;  // 1: named in running text too; any other value: a blank there
};

struct Rewrite {
    std::u16string source;
    std::u16string replacement;
};

// A rewrite list in its order, with the first one-character source of every
// character indexed for the character-by-character phase of a spelling list.
class RewriteList {
public:
    RewriteList() = default;
    explicit RewriteList(std::vector<Rewrite> entries);

    const std::vector<Rewrite>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    // The replacement of the first entry whose source is exactly `c`, or null.
    const std::u16string* single_character_replacement(char16_t c) const {
        const size_t* index = single_.find(c);
        return index == nullptr ? nullptr : &entries_[*index].replacement;
    }

private:
    std::vector<Rewrite> entries_;
    CharacterMap<size_t> single_;  // character -> index into entries_
};

struct PronunciationTables {
    CharacterMap<std::u16string> letters;  // lower-case letter -> its name
    CharacterMap<SymbolName> symbols;      // symbol character -> name and always flag
    RewriteList english;                   // in file order
    RewriteList spelling;                  // the language's own (SpellingRules), in descending order of source (UTF-16 units)
};

// A symbol value of the file, "name:flag": the name runs to the first ":", the
// flag is read as a C-style integer from the text up to a second ":" (0 when
// there is no ":").
SymbolName parse_symbol_value(std::u16string_view value);

// The spelling rewrite list order: descending by source in UTF-16 code units,
// so that every source comes before the sources that are its prefixes.
RewriteList sorted_descending(std::vector<Rewrite> entries);

}  // namespace vl
