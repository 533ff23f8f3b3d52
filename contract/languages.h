#pragma once
// The languages of the voices, each described once: what the engine, text
// preparation, the configurer and the tools know of a language comes from
// here. Adding a language is one entry (with its default tables).
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "contract/pronunciation_defaults.h"

namespace vl {

struct Language {
    std::u16string_view code;  // the voice token's "Language" attribute, compared as text
    uint32_t id;               // the same read as a hexadecimal language identifier
    // The system's English name: the language folder under dicts\ and the
    // ending of the voice names ("Velnor_Male1_Russian").
    std::u16string_view folder;
    const LetterGroupDefaults* letters;   // the letter group of pronunc.dic
    std::span<const DefaultEntry> symbols;  // the default symbols group
    bool rewrites_ukrainian;             // the ukrainian_pronunciation list is read and applied
    bool main_dictionary;                // the synthesis library's main dictionary knows its words
    std::string_view configurer_dictionary;  // the configurer's user dictionary file in the data folder
};

inline constexpr std::u16string_view kRussianLanguage = u"419";
inline constexpr std::u16string_view kUkrainianLanguage = u"422";

inline constexpr std::array<Language, 2> kLanguages = {{
    {kRussianLanguage, 0x419, u"Russian", &kRussianLetterGroup, kRussianSymbols, false, true, "ru_dict.dic"},
    {kUkrainianLanguage, 0x422, u"Ukrainian", &kUkrainianLetterGroup, kUkrainianSymbols, true, false, "uk_dict.dic"},
}};
inline constexpr const Language& kRussian = kLanguages[0];
inline constexpr std::size_t kLanguageCount = kLanguages.size();

// The language of a token's language code; null for a language without voices.
const Language* find_language(std::u16string_view code);
// The language whose folder name ends the voice name; null when none does.
const Language* language_of_voice(std::u16string_view voice_name);

}  // namespace vl
