#pragma once
// The configurer's default lists: used when the settings file cannot be opened
// (the four pronunciation lists) or the user dictionary file cannot be opened.
// The Latin letters and combinations are the engine's own defaults; the other
// lists are the configurer's and differ from the engine's pronunc.dic.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "configurer/core/configurer_state.h"
#include "contract/pronunciation_defaults.h"

namespace vl {

struct DefaultSymbol {
    std::u16string_view symbol;
    std::u16string_view replacement;
    uint8_t when;
};

inline constexpr std::span<const DefaultEntry> kDefaultLatinLetters = kEnglishLetters;
inline constexpr std::span<const DefaultEntry> kDefaultLatinCombinations = kEnglishPronunciation;

inline constexpr DefaultEntry kDefaultCyrillicLetters[] = {
    {u"б", u"бэ"}, {u"в", u"вэ"}, {u"к", u"ка"}, {u"с", u"эс"}, {u"ъ", u"твё+рдый знак"}, {u"ь", u"мя+хький знак"},
};

inline constexpr DefaultEntry kDefaultUserDictionary[] = {
    {u"труповозку", u"трупово+зку"},
    {u"сервомеханизмов", u"сервомехани+змов"},
    {u"самопровозглашенных", u"са+мо-провозглашё+нных"},
    {u"ракетоплан", u"ракетопла+н"},
    {u"посимвольном", u"поси+мвольном"},
    {u"слово", u"сло+во"},
};

inline constexpr DefaultSymbol kDefaultSymbols[] = {
    {u"£", u"фунт", 0},
    {u"€", u"евро", 0},
    {u"¢", u"центы", 0},
    {u"¥", u"иена", 0},
    {u"₹", u"рупия", 1},
    {u"₽", u"рубль", 1},
    {u"₴", u"гривна", 1},
    {u"圓", u"юань", 1},
    {u"°", u"градусов", 1},
    {u"„", u"левая кавычка лапка", 0},
    {u"“", u"правая кавычка лапка", 0},
    {u"”", u"правая двойная кавычка", 0},
    {u"‘", u"левая одиночная кавычка", 0},
    {u"’", u"правая одиночная кавычка", 0},
    {u"–", u"короткое тирэ", 0},
    {u"—", u"длинное тирэ", 0},
    {u"‐", u"дефис", 0},
    {u"●", u"кружок", 0},
    {u"¨", u"дириезис", 0},
    {u"\u200E", u"метка слева на право", 0},
    {u"\u200F", u"метка справа на лево", 0},
    {u"«", u"левая кавычка ёлочка", 0},
    {u"»", u"правая кавычка ёлочка", 0},
    {u"®", u"зарегистрировано", 1},
    {u"™", u"Торговая марка", 1},
    {u"©", u"Авторское право", 1},
    {u"µ", u"микро", 1},
    {u"•", u"маркер", 0},
};

// The configurer's own defaults for a language's lists, used when prefs.ini
// cannot be opened: Russian has them; other languages start from the
// engine's defaults (and an empty dictionary).
std::optional<LanguageLists> configurer_defaults(const Language& language);

// The list filled with defaults; no current element.
EntryList<PronunciationEntry> default_entry_list(std::span<const DefaultEntry> defaults);
EntryList<SymbolEntry> default_symbol_list();

}  // namespace vl
