// Stages 1, 2, 3, 6 and 7 in isolation, with the tables of a fresh pronunc.dic.
#include <gtest/gtest.h>

#include "store/pronunciation_file.h"
#include "textprep/english_pronunciation.h"
#include "textprep/letter_runs.h"
#include "textprep/prepare_text.h"
#include "textprep/single_character.h"
#include "textprep/spelling.h"
#include "textprep/symbols.h"

namespace vl {
namespace {

const PronunciationTables kRussian = default_pronunciation_tables(kRussianLanguage);
const PronunciationTables kUkrainian = default_pronunciation_tables(kUkrainianLanguage);
const PronunciationTables kEmpty{};

TEST(SingleCharacter, ReadsSymbolThenLetterThenLowerCase) {
    EXPECT_EQ(read_single_character(u"A", kRussian), u"эй");
    EXPECT_EQ(read_single_character(u"W", kRussian), u"да+блъю");
    EXPECT_EQ(read_single_character(u"Й", kRussian), u"икра+ткое");
    EXPECT_EQ(read_single_character(u"5", kRussian), u"5");
    EXPECT_EQ(read_single_character(u"%", kRussian), u"%");
    EXPECT_EQ(read_single_character(u"&", kRussian), u"амперсанд");
    EXPECT_EQ(read_single_character(u"£", kRussian), u"фунт");  // flag 0: still named when alone
    EXPECT_EQ(read_single_character(u"Ц", kRussian), u"цэ");
    EXPECT_EQ(read_single_character(u"Ц", kUkrainian), u"цэ");
    EXPECT_EQ(read_single_character(u"Ї", kUkrainian), u"ййи");
}

TEST(SingleCharacter, LettersNotWrittenUseTheirFallback) {
    EXPECT_EQ(read_single_character(u"Х", kRussian), u"ха");
    EXPECT_EQ(read_single_character(u"ч", kRussian), u"ч");
    EXPECT_EQ(read_single_character(u"х", kUkrainian), u"х");  // no Ukrainian entry at all
    EXPECT_EQ(read_single_character(u"і", kRussian), u"і");    // Ukrainian letters only for Ukrainian voices
}

TEST(SingleCharacter, EmptyTablesGiveTheLowerCase) {
    EXPECT_EQ(read_single_character(u"A", kEmpty), u"a");
    EXPECT_EQ(read_single_character(u"Ґ", kEmpty), u"ґ");
    EXPECT_EQ(read_single_character(u"\xD83D", kEmpty), u"\xD83D");
}

TEST(Symbols, AlwaysFlagOneNamesTheSymbolOtherValuesBlankIt) {
    EXPECT_EQ(replace_symbols(u"A&B", kRussian), u"A амперсанд B");
    EXPECT_EQ(replace_symbols(u"5 £", kRussian), u"5  ");
    EXPECT_EQ(replace_symbols(u"«да»—нет", kRussian), u" да  нет");
    EXPECT_EQ(replace_symbols(u"A&B", kEmpty), u"A&B");
    EXPECT_EQ(replace_symbols(u"", kRussian), u"");

    PronunciationTables tables;
    tables.symbols.set(u'$', SymbolName{u"доллар", 2});  // only 1 names it in running text
    EXPECT_EQ(replace_symbols(u"$5", tables), u" 5");
}

TEST(Ukrainian, RewritesSpelling) {
    EXPECT_EQ(apply_spelling(u"ціна", kUkrainianSpelling, kUkrainian), u"тсина");
    EXPECT_EQ(apply_spelling(u"щастя", kUkrainianSpelling, kUkrainian), u"шчастя");
    EXPECT_EQ(apply_spelling(u"зв'язок", kUkrainianSpelling, kUkrainian), u"звъязок");
    EXPECT_EQ(apply_spelling(u"Їжак", kUkrainianSpelling, kUkrainian), u"ййижак");
    EXPECT_EQ(apply_spelling(u"ЩІ", kUkrainianSpelling, kUkrainian), u"шчи");
    EXPECT_EQ(apply_spelling(u"Ціна 0.5 грн", kUkrainianSpelling, kUkrainian), u"тсина 0.5 грн");
}

TEST(Ukrainian, ProtectedTextMovesWithEarlierReplacements) {
    // "ці" becomes "тси", then "жі" before it becomes "жьи": the "и" of "тси" stays protected.
    EXPECT_EQ(apply_spelling(u"жіці", kUkrainianSpelling, kUkrainian), u"жьитси");
}

TEST(Ukrainian, StandaloneShortIEvenWithoutList) {
    EXPECT_EQ(apply_spelling(u"я й ти", kUkrainianSpelling, kUkrainian), u"я йь ты");
    PronunciationTables no_list;
    EXPECT_EQ(apply_spelling(u"я й ти", kUkrainianSpelling, no_list), u"я йь ти");
    EXPECT_EQ(apply_spelling(u"Й", kUkrainianSpelling, no_list), u"йь");
    EXPECT_EQ(apply_spelling(u"1й-a", kUkrainianSpelling, no_list), u"1йь-a");
    EXPECT_EQ(apply_spelling(u"мій йод", kUkrainianSpelling, no_list), u"мій йод");
}

TEST(LetterRuns, SpellsAbbreviationsAndLoneLatinLetters) {
    EXPECT_EQ(read_letter_runs(u"ФСБ", kRussian), u" эф  эс  бэ ");
    EXPECT_EQ(read_letter_runs(u"ЦСКА", kRussian), u" цэ  эс  ка  а ");
    EXPECT_EQ(read_letter_runs(u"pdf", kRussian), u" пи  ди  эф ");
    EXPECT_EQ(read_letter_runs(u"вкл", kRussian), u" вэ  ка  эль ");
    EXPECT_EQ(read_letter_runs(u"a b", kRussian), u" эй   би ");
    for (std::u16string_view word : {u"США", u"МГУ", u"КАМАЗ", u"ТАСС", u"Jack", u"xyz", u"я", u"ЙКЛМ", u"ВСКАА"}) {
        EXPECT_EQ(read_letter_runs(word, kRussian), word == u"Jack" ? u" Jack" : std::u16string(word));
    }
}

TEST(LetterRuns, SplitsAtCaseAndDigitBoundaries) {
    EXPECT_EQ(read_letter_runs(u"iPhone", kRussian), u" ай  Phone");
    EXPECT_EQ(read_letter_runs(u"HelloWorld", kRussian), u" Hello World");
    EXPECT_EQ(read_letter_runs(u"ABCdef", kRussian), u"AB Cdef");
    EXPECT_EQ(read_letter_runs(u"5кг", kRussian), u"5  ка  гэ ");
    EXPECT_EQ(read_letter_runs(u"5Да", kRussian), u"5  Да");  // both blanks
    EXPECT_EQ(read_letter_runs(u"x5y", kRussian), u" экс 5  вай ");
    EXPECT_EQ(read_letter_runs(u"ABCDef", kRussian), u"ABC Def");
    EXPECT_EQ(read_letter_runs(u"ДжонМакКейн", kRussian), u" Джон Мак Кейн");
    EXPECT_EQ(read_letter_runs(u"вс+е", kRussian), u" вэ  эс +е");
}

TEST(LetterRuns, SpelledLettersUseSymbolNamesFirst) {
    PronunciationTables tables = kRussian;
    tables.symbols.set(u'b', SymbolName{u"бэ-символ", 0});
    EXPECT_EQ(read_letter_runs(u"b", tables), u" бэ-символ ");
    EXPECT_EQ(read_letter_runs(u"b", kEmpty), u" b ");
}

TEST(EnglishPronunciation, RewritesLatinIgnoringLatinCase) {
    EXPECT_EQ(apply_english_pronunciation(u" Jack", kRussian), u" джack");
    EXPECT_EQ(apply_english_pronunciation(u"xyz", kRussian), u"ксыz");
    EXPECT_EQ(apply_english_pronunciation(u"XYZ", kRussian), u"ксыZ");
    EXPECT_EQ(apply_english_pronunciation(u"xbox", kRussian), u"ксboкс");
    EXPECT_EQ(apply_english_pronunciation(u"xbox", kEmpty), u"xbox");
}

TEST(EnglishPronunciation, InsertedTextIsNotRescannedByTheSameEntry) {
    PronunciationTables tables;
    tables.english = RewriteList(std::vector<Rewrite>{{u"a", u"aa"}, {u"ab", u"x"}, {u"", u"never"}, {u"Ж", u"ж"}});
    EXPECT_EQ(apply_english_pronunciation(u"Ab", tables), u"ax");  // "ab" sees the first entry's "aa"+"b"
    EXPECT_EQ(apply_english_pronunciation(u"жЖ", tables), u"жж");   // Cyrillic matches exactly
}

// One pass per entry, written plainly: what the stage must give whatever its shortcuts.
std::u16string english_one_pass_per_entry(std::u16string text, const std::vector<Rewrite>& list) {
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    for (const Rewrite& entry : list) {
        if (entry.source.empty()) continue;
        std::u16string result;
        size_t i = 0;
        while (i < text.size()) {
            bool match = i + entry.source.size() <= text.size();
            for (size_t k = 0; match && k < entry.source.size(); ++k) match = fold(text[i + k]) == fold(entry.source[k]);
            if (match) {
                result += entry.replacement;
                i += entry.source.size();
            } else {
                result += text[i++];
            }
        }
        text = result;
    }
    return text;
}

TEST(EnglishPronunciation, GivesWhatOnePassPerEntryGives) {
    const std::u16string alphabet = u"aAbBxы";
    uint32_t seed = 12345;
    const auto next = [&seed](size_t bound) { return (seed = seed * 1103515245u + 12345u) / 65536u % bound; };
    const auto random_text = [&](size_t max_length) {
        std::u16string text(next(max_length + 1), u' ');
        for (char16_t& c : text) c = alphabet[next(alphabet.size())];
        return text;
    };
    for (int round = 0; round < 2000; ++round) {
        std::vector<Rewrite> list(next(12));
        for (Rewrite& entry : list) entry = {random_text(next(4) == 0 ? 2 : 1), random_text(3)};
        PronunciationTables tables;
        tables.english = RewriteList(list);
        const std::u16string text = random_text(12);
        ASSERT_EQ(apply_english_pronunciation(text, tables), english_one_pass_per_entry(text, list)) << round;
    }
}

TEST(WorkedExample, RussianRowsOfTheseStages) {
    EXPECT_EQ(replace_symbols(u"ЦСКА&РЖД: 007 (xbox) 3.05", kRussian), u"ЦСКА амперсанд РЖД: 007 (xbox) 3.05");
    const std::u16string after6 = read_letter_runs(u"ЦСКА амперсанд РЖД:  2 ноля 7 ,  xbox  3: ноль 5", kRussian);
    EXPECT_EQ(after6, u" цэ  эс  ка  а  амперсанд  эр  жэ  дэ :  2 ноля 7 ,  xbox  3: ноль 5");
    EXPECT_EQ(apply_english_pronunciation(after6, kRussian),
              u" цэ  эс  ка  а  амперсанд  эр  жэ  дэ :  2 ноля 7 ,  ксboкс  3: ноль 5");
}

TEST(WorkedExample, UkrainianRowsOfTheseStages) {
    EXPECT_EQ(replace_symbols(u"Ціна 0.5 грн", kUkrainian), u"Ціна 0.5 грн");
    EXPECT_EQ(apply_spelling(u"Ціна 0.5 грн", kUkrainianSpelling, kUkrainian), u"тсина 0.5 грн");
    const std::u16string after6 = read_letter_runs(u"тсина  ноль .5 , грн", kUkrainian);
    EXPECT_EQ(after6, u"тсина  ноль .5 ,  гэ  эр  эн ");
    EXPECT_EQ(apply_english_pronunciation(after6, kUkrainian), after6);
}

}  // namespace
}  // namespace vl
