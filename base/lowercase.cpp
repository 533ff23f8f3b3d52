#include "base/lowercase.h"

#include <array>

namespace vl {
namespace {

struct CasePair {
    char16_t upper;
    char16_t lower;
};

constexpr CasePair kPairs[] = {
#include "base/lowercase_pairs.inc"
};

// Every code unit's lower case, built at compile time from the generated pairs.
constexpr auto kTable = [] {
    std::array<char16_t, 0x10000> table{};
    for (size_t c = 0; c < table.size(); ++c) table[c] = static_cast<char16_t>(c);
    for (const CasePair& pair : kPairs) table[pair.upper] = pair.lower;
    return table;
}();

}  // namespace

char16_t to_lower(char16_t c) { return kTable[c]; }

std::u16string to_lower(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result) c = kTable[c];
    return result;
}

}  // namespace vl
