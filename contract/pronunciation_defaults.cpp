#include "contract/pronunciation_defaults.h"

namespace vl {
namespace {

const DefaultEntry* find_entry(std::span<const DefaultEntry> entries, char16_t letter) {
    for (const DefaultEntry& entry : entries) {
        if (entry.key.size() == 1 && entry.key[0] == letter) return &entry;
    }
    return nullptr;
}

}  // namespace

std::u16string_view letter_fallback(const LetterGroupDefaults& defaults, char16_t letter) {
    const DefaultEntry* entry = find_entry(defaults.other_fallbacks, letter);
    if (entry == nullptr) entry = find_entry(defaults.written, letter);
    return entry == nullptr ? std::u16string_view() : entry->value;
}

}  // namespace vl
