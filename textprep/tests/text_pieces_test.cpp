// Long texts are prepared piece by piece; the pieces must give exactly what
// the whole text gives, with any tables.
#include "textprep/text_pieces.h"

#include <gtest/gtest.h>

#include <random>

#include "store/pronunciation_file.h"
#include "textprep/prepare_text.h"

namespace vl {
namespace {

// Characters every stage reacts to, blanks and line feeds (where pieces end)
// among them.
constexpr std::u16string_view kAlphabet = u"  \n\n\n0055..,,$&'(жщціїйЙзвxXyjJAbcФСБЦСКАмама";

// About 80,000 units in random order: five pieces.
std::u16string random_text(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
    std::u16string text(80'000, u' ');
    for (char16_t& c : text) c = kAlphabet[pick(random)];
    return text;
}

// Rewrites of `before` followed by any other character of the texts: one of
// them spans every place where `before` ends a piece.
std::vector<Rewrite> spanning(std::u16string_view before) {
    std::vector<Rewrite> entries;
    for (char16_t c : kAlphabet) {
        if (c != u' ' && c != u'\n') entries.push_back({std::u16string(before) + c, u"Ш"});
    }
    return entries;
}

void expect_pieces_match_whole(const PronunciationTables& tables, std::u16string_view language) {
    const UserDictionary dictionary = UserDictionary::parse("мама папа\nxy игрек\n");
    for (int32_t use_dictionary : {1, 2}) {
        for (int32_t no_decimal : {0, 1}) {
            const PrepareContext context{language, use_dictionary, no_decimal, tables, dictionary};
            const std::u16string text = random_text(static_cast<unsigned>(use_dictionary * 2 + no_decimal));
            ASSERT_EQ(prepare_text(text, context), prepare_stages(text, context))
                << "use_dictionary " << use_dictionary << ", disable_decimal_separator " << no_decimal;
        }
    }
}

TEST(TextPieces, DefaultTablesGiveWhatTheWholeTextGives) {
    expect_pieces_match_whole(default_pronunciation_tables(kRussianLanguage), kRussianLanguage);
    expect_pieces_match_whole(default_pronunciation_tables(kUkrainianLanguage), kUkrainianLanguage);
}

// Tables that read across blanks and line feeds: a symbol name for each, and
// rewrite sources that span them as they stand or as later stages turn them.
TEST(TextPieces, TablesThatReadAcrossBoundariesGiveWhatTheWholeTextGives) {
    const std::vector<PronunciationTables> hostile = [] {
        std::vector<PronunciationTables> sets(3, default_pronunciation_tables(kUkrainianLanguage));
        sets[0].symbols.set(u'\n', SymbolName{u"строка", 1});  // read ‹ строка ›: the blank after it
        sets[0].spelling = sorted_descending(spanning(u" "));   // meets the next piece
        sets[1].english = RewriteList(spanning(u" "));          // line feeds are blanks there
        std::vector<Rewrite> ukrainian = spanning(u"\n");
        for (Rewrite& entry : spanning(u" ")) ukrainian.push_back(std::move(entry));
        sets[2].spelling = sorted_descending(std::move(ukrainian));
        return sets;
    }();
    for (const PronunciationTables& tables : hostile) {
        expect_pieces_match_whole(tables, kUkrainianLanguage);
        expect_pieces_match_whole(tables, kRussianLanguage);
    }
}

TEST(TextPieces, PiecesEndAfterBlanksAndLineFeedsThatNoStageReadsAcross) {
    const std::u16string_view text = u"раз два\nтри";
    const PronunciationTables defaults = default_pronunciation_tables(kRussianLanguage);
    EXPECT_EQ(TextPieces(defaults, false).piece_end(text, 0, 6), 4u);   // after the blank
    EXPECT_EQ(TextPieces(defaults, false).piece_end(text, 4, 4), 8u);   // after the line feed
    EXPECT_EQ(TextPieces(defaults, false).piece_end(text, 0, 2), 4u);   // none within: the first beyond
    EXPECT_EQ(TextPieces(defaults, false).piece_end(text, 8, 2), 11u);  // none at all: the end

    PronunciationTables english_blank = defaults;
    english_blank.english = RewriteList(std::vector<Rewrite>{{u"a b", u"аб"}});
    EXPECT_EQ(TextPieces(english_blank, false).piece_end(text, 0, 6), 11u);
    PronunciationTables line_feed_symbol = defaults;
    line_feed_symbol.symbols.set(u'\n', SymbolName{u"строка", 1});
    EXPECT_EQ(TextPieces(line_feed_symbol, false).piece_end(text, 4, 6), 11u);

    PronunciationTables ukrainian_blank = default_pronunciation_tables(kUkrainianLanguage);
    ukrainian_blank.spelling = sorted_descending(std::vector<Rewrite>{{u"а ", u"я "}});
    EXPECT_EQ(TextPieces(ukrainian_blank, true).piece_end(text, 0, 6), 8u);
    EXPECT_EQ(TextPieces(ukrainian_blank, false).piece_end(text, 0, 6), 4u);  // the list is not applied
}

}  // namespace
}  // namespace vl
