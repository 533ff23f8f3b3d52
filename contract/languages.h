#pragma once
// The languages of the voices, each described once: what the engine, text
// preparation, the configurer, the tools and the installer's voice tokens
// know of a language comes from here. Adding a language is one entry (with
// its default tables).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
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
    const SpellingRules* spelling;       // the language's own spelling stage; null for none
    bool main_dictionary;                // the synthesis library's main dictionary knows its words
    std::string_view configurer_dictionary;  // the configurer's user dictionary file in the data folder
};

inline constexpr std::u16string_view kRussianLanguage = u"419";
inline constexpr std::u16string_view kUkrainianLanguage = u"422";

inline constexpr std::array<Language, 2> kLanguages = {{
    {kRussianLanguage, 0x419, u"Russian", &kRussianLetterGroup, kRussianSymbols, nullptr, true, "ru_dict.dic"},
    {kUkrainianLanguage, 0x422, u"Ukrainian", &kUkrainianLetterGroup, kUkrainianSymbols, &kUkrainianSpelling, false, "uk_dict.dic"},
}};
inline constexpr const Language& kRussian = kLanguages[0];
inline constexpr std::size_t kLanguageCount = kLanguages.size();

// Every language has a voice of each kind, named "Velnor_" + kind + "_" + the
// language's folder name ("Velnor_Male1_Russian"). The engine's voice index is
// the kind's position here.
struct VoiceKind {
    std::u16string_view name;
    std::u16string_view gender;  // the voice token's "Gender" attribute
};
inline constexpr std::array<VoiceKind, 4> kVoiceKinds{{
    {u"Male1", u"Male"},
    {u"Female1", u"Female"},
    {u"Male2", u"Male"},
    {u"Female2", u"Female"},
}};

std::u16string voice_name(const Language& language, const VoiceKind& kind);
// The position in kVoiceKinds of the kind of a voice name of any language,
// compared exactly; nothing for any other name.
std::optional<std::size_t> voice_kind_index(std::u16string_view name);

// The language of a token's language code; null for a language without voices.
const Language* find_language(std::u16string_view code);
// The language whose folder name ends the voice name; null when none does.
const Language* language_of_voice(std::u16string_view voice_name);

}  // namespace vl
