#pragma once
// The default contents of pronunc.dic: written when a group is missing, and the
// fallbacks of letters missing from a letter group. Values are as written in
// the file (symbol values are "name:always flag").
#include <span>
#include <string_view>

namespace vl {

struct DefaultEntry {
    std::u16string_view key;
    std::u16string_view value;
};

inline constexpr std::u16string_view kEnglishLettersGroup = u"english_letters";
inline constexpr std::u16string_view kRussianLettersGroup = u"russian_letters";
inline constexpr std::u16string_view kUkrainianLettersGroup = u"ukrainian_letters";
inline constexpr std::u16string_view kEnglishPronunciationGroup = u"english_pronunciation";
// Read when kEnglishPronunciationGroup is missing; its defaults are rewritten at every load then.
inline constexpr std::u16string_view kEnglishPronunciationDefaultsGroup = u"englishPronunciation";
inline constexpr std::u16string_view kUkrainianPronunciationGroup = u"ukrainian_pronunciation";
inline constexpr std::u16string_view kSymbolsGroup = u"symbols";

inline constexpr std::u16string_view kEnglishLettersComment = u" в этой секции записываются произношения английских букв.";

// A letter group: its default entries in the order written, the letters read
// from it in reading order, and fallbacks that differ from the written values
// (or stand for letters that are not written).
struct LetterGroupDefaults {
    std::u16string_view group;
    std::span<const DefaultEntry> written;
    std::u16string_view letters;
    std::span<const DefaultEntry> other_fallbacks;
};

// The value used for a letter missing from an existing group.
std::u16string_view letter_fallback(const LetterGroupDefaults& defaults, char16_t letter);

inline constexpr DefaultEntry kEnglishLetters[] = {
    {u"a", u"эй"}, {u"b", u"би"},  {u"c", u"си"},  {u"d", u"ди"},      {u"e", u"и"},   {u"f", u"эф"}, {u"g", u"джи"},
    {u"h", u"эйч"}, {u"i", u"ай"}, {u"j", u"джэй"}, {u"k", u"кей"},   {u"l", u"эл"},  {u"m", u"эм"}, {u"n", u"эн"},
    {u"o", u"оу"}, {u"p", u"пи"},  {u"q", u"къю"}, {u"r", u"ар"},      {u"s", u"эс"},  {u"t", u"ти"}, {u"u", u"ю"},
    {u"v", u"ви"}, {u"w", u"да+блъю"}, {u"x", u"экс"}, {u"y", u"вай"}, {u"z", u"зи"},
};

inline constexpr DefaultEntry kRussianLetters[] = {
    {u"а", u"а"},  {u"б", u"бэ"}, {u"в", u"вэ"},        {u"г", u"гэ"}, {u"д", u"дэ"}, {u"е", u"е"},
    {u"ж", u"жэ"}, {u"з", u"зэ"}, {u"и", u"и"},         {u"й", u"икра+ткое"}, {u"к", u"ка"}, {u"л", u"эль"},
    {u"м", u"эм"}, {u"н", u"эн"}, {u"о", u"о"},         {u"п", u"пэ"}, {u"р", u"эр"}, {u"с", u"эс"},
    {u"т", u"тэ"}, {u"у", u"у"},  {u"ф", u"эф"},        {u"ц", u"цэ"}, {u"ч", u"ч"},  {u"ш", u"ша"},
    {u"щ", u"ща"}, {u"ъ", u"твё+рдый знак"}, {u"ы", u"ы"}, {u"ь", u"мя+хький знак"}, {u"э", u"э"}, {u"ю", u"ю"},
    {u"я", u"я"},  {u"ё", u"ё"},
};
inline constexpr DefaultEntry kRussianLetterFallbacks[] = {{u"х", u"ха"}, {u"ч", u"че"}};

inline constexpr DefaultEntry kUkrainianLetters[] = {
    {u"а", u"а"},   {u"б", u"бэ"}, {u"в", u"вэ"}, {u"г", u"гэ"}, {u"д", u"дэ"}, {u"е", u"э"},
    {u"ж", u"жэ"},  {u"з", u"зэ"}, {u"и", u"ы"},  {u"й", u"йот"}, {u"к", u"ка"}, {u"л", u"эль"},
    {u"м", u"эм"},  {u"н", u"эн"}, {u"о", u"о"},  {u"п", u"пэ"}, {u"р", u"эр"}, {u"с", u"эс"},
    {u"т", u"тэ"},  {u"у", u"у"},  {u"ф", u"эф"}, {u"ц", u"цэ"}, {u"ч", u"ч"},  {u"ш", u"ша"},
    {u"щ", u"шча"}, {u"ъ", u"твэ+рдый знак"}, {u"ы", u"ы"}, {u"ь", u"мъя+кый знак"}, {u"э", u"э"}, {u"ю", u"ю"},
    {u"я", u"я"},   {u"ё", u"ё"},  {u"є", u"е"},  {u"і", u"и"},  {u"ї", u"ййи"}, {u"ґ", u"твэрдэ гэ"},
};

inline constexpr LetterGroupDefaults kEnglishLetterGroup{kEnglishLettersGroup, kEnglishLetters, u"abcdefghijklmnopqrstuvwxyz", {}};
inline constexpr LetterGroupDefaults kRussianLetterGroup{kRussianLettersGroup, kRussianLetters,
                                                         u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", kRussianLetterFallbacks};
inline constexpr LetterGroupDefaults kUkrainianLetterGroup{kUkrainianLettersGroup, kUkrainianLetters,
                                                           u"абвгдежзийклмнопрстуфцчшщъыьэюяёєіїґ", {}};

inline constexpr DefaultEntry kEnglishPronunciation[] = {{u"j", u"дж"}, {u"x", u"кс"}, {u"y", u"ы"}};

inline constexpr DefaultEntry kUkrainianPronunciation[] = {
    {u"е", u"э"},    {u"и", u"ы"},    {u"є", u"е"},    {u"і", u"и"},      {u"ї", u"ййи"},
    {u"ґ", u"г"},    {u"щ", u"шч"},   {u"ця", u"тся"}, {u"цю", u"тсю"},   {u"ці", u"тси"},
    {u"ць", u"тсь"}, {u"зв'", u"звъ"}, {u"ші", u"щи"}, {u"жі", u"жьи"},   {u"жя", u"жья"},
};

// A language's own spelling stage, run after the symbols: a letter standing
// alone (no letter on either side) is written as its lone form, then the
// language's rewrite list is applied.
struct SpellingRules {
    std::u16string_view group;                   // the rewrite list's group in pronunc.dic
    std::span<const DefaultEntry> rewrites;      // the list a new pronunc.dic gets
    std::span<const DefaultEntry> lone_letters;  // a lower-case letter and its lone form
};

// The conjunction "й" is written "йь".
inline constexpr DefaultEntry kUkrainianLoneLetters[] = {{u"й", u"йь"}};
inline constexpr SpellingRules kUkrainianSpelling{kUkrainianPronunciationGroup, kUkrainianPronunciation,
                                                  kUkrainianLoneLetters};

inline constexpr DefaultEntry kRussianSymbols[] = {
    {u"&", u"амперсанд:1"},
    {u"£", u"фунт:0"},
    {u"€", u"евро:0"},
    {u"¢", u"центы:0"},
    {u"¥", u"иена:0"},
    {u"₹", u"рупия:1"},
    {u"₽", u"рубль:1"},
    {u"₴", u"гривна:1"},
    {u"圓", u"юань:1"},
    {u"°", u"градусов:1"},
    {u"„", u"левая кавычка лапка:0"},
    {u"“", u"правая кавычка лапка:0"},
    {u"”", u"правая двойная кавычка:0"},
    {u"‘", u"левая одиночная кавычка:0"},
    {u"’", u"правая одиночная кавычка:0"},
    {u"–", u"короткое тире:0"},
    {u"—", u"длинное тире:0"},
    {u"‐", u"дефис:0"},
    {u"●", u"кружок:0"},
    {u"¨", u"дириезис:0"},
    {u"\u200E", u"метка слева на право:0"},
    {u"\u200F", u"метка справа на лево:0"},
    {u"«", u"левая кавычка ёлочка:0"},
    {u"»", u"правая кавычка ёлочка:0"},
    {u"®", u"зарегистрировано:1"},
    {u"™", u"Торговая марка:1"},
    {u"©", u"Авторское право:1"},
    {u"µ", u"микро:1"},
    {u"•", u"маркер:0"},
};

inline constexpr DefaultEntry kUkrainianSymbols[] = {
    {u"&", u"амперсанд:1"},
    {u"£", u"фунт:0"},
    {u"€", u"євро:0"},
    {u"¢", u"центи:0"},
    {u"¥", u"єна:0"},
    {u"₹", u"рупія:1"},
    {u"₽", u"російський рубль:1"},
    {u"₴", u"гривня:1"},
    {u"圓", u"юань:1"},
    {u"°", u"градус:1"},
    {u"“", u"ліва лапка:0"},
    {u"”", u"права лапка:0"},
    {u"‘", u"лівий апостроф:0"},
    {u"’", u"правий апостроф:0"},
    {u"–", u"коротке тире:0"},
    {u"—", u"довге тире:0"},
    {u"●", u"кружок:0"},
    {u"¨", u"диєрезис:0"},
    {u"\u200E", u"зліва направо:0"},
    {u"\u200F", u"справа наліво:0"},
    {u"«", u"відкрита лапка:0"},
    {u"»", u"закрита лапка:0"},
    {u"®", u"зареєстрована торгова марка:1"},
    {u"™", u"торгова марка:1"},
    {u"©", u"Авторське право:1"},
    {u"µ", u"мікро:1"},
    {u"•", u"маркер:0"},
};

}  // namespace vl
