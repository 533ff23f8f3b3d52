#include <gtest/gtest.h>

#include "textprep/pronunciation_list.h"
#include "textprep/pronunciation_tables.h"

namespace vl {
namespace {

TEST(PronunciationList, EmptyListLeavesTextAlone) { EXPECT_EQ(apply_pronunciation_list(u"ЩІ", RewriteList()), u"ЩІ"); }

TEST(PronunciationList, LongSourcesMatchInAnyCaseAndKeepTheReplacementCase) {
    const RewriteList list(std::vector<Rewrite>{{u"ці", u"ТСИ"}});
    EXPECT_EQ(apply_pronunciation_list(u"Ці ЦІ ці", list), u"ТСИ ТСИ ТСИ");
}

TEST(PronunciationList, SingleCharactersUseTheFirstEntryAndLoseTheirCase) {
    const RewriteList list(std::vector<Rewrite>{{u"щ", u"шч"}, {u"щ", u"never"}, {u"Ж", u"never"}, {u"ф", u""}});
    EXPECT_EQ(apply_pronunciation_list(u"ЩжЖфФ", list), u"шчжЖ");
}

TEST(PronunciationList, ReplacementsAreProtectedFromTheCharacterPhase) {
    const RewriteList list(std::vector<Rewrite>{{u"ші", u"щи"}, {u"щ", u"шч"}, {u"и", u"ы"}});
    EXPECT_EQ(apply_pronunciation_list(u"ші щи", list), u"щи шчы");
}

TEST(PronunciationList, LaterEntriesSeeEarlierReplacementsButNotTheirOwn) {
    const RewriteList list(std::vector<Rewrite>{{u"ab", u"abab"}, {u"ba", u"X"}, {u"a", u"y"}});
    // "ab" -> "abab" (not rescanned), then "ba" inside it -> "X"; all of it stays protected.
    EXPECT_EQ(apply_pronunciation_list(u"ab a", list), u"aXb y");
}

TEST(PronunciationList, ProtectionMovesWhenTextBeforeItShrinks) {
    const RewriteList list(std::vector<Rewrite>{{u"cd", u"CD"}, {u"aaa", u"b"}, {u"c", u"z"}, {u"d", u"z"}});
    EXPECT_EQ(apply_pronunciation_list(u"aaacdcd", list), u"bCDCD");
}

TEST(TableParts, SymbolValueIsNameColonFlag) {
    EXPECT_EQ(parse_symbol_value(u"доллар:1").name, u"доллар");
    EXPECT_EQ(parse_symbol_value(u"доллар:1").always, 1);
    EXPECT_EQ(parse_symbol_value(u"доллар").always, 0);
    EXPECT_EQ(parse_symbol_value(u"доллар:").always, 0);
    EXPECT_EQ(parse_symbol_value(u"a:1:2").always, 1);
    EXPECT_EQ(parse_symbol_value(u"a: +1x").always, 1);
    EXPECT_EQ(parse_symbol_value(u"a:-7").always, -7);
    EXPECT_EQ(parse_symbol_value(u"a:99999999999999999999").always, 2147483647);
    EXPECT_EQ(parse_symbol_value(u"a:-99999999999999999999").always, -2147483647 - 1);
    EXPECT_EQ(parse_symbol_value(u":1").name, u"");
}

TEST(TableParts, UkrainianOrderPutsLongerSourcesBeforeTheirPrefixes) {
    const RewriteList list = sorted_descending({{u"е", u""}, {u"и", u""}, {u"є", u""}, {u"і", u""}, {u"ї", u""},
                                                {u"ґ", u""}, {u"щ", u""}, {u"ця", u""}, {u"цю", u""}, {u"ці", u""},
                                                {u"ць", u""}, {u"зв'", u""}, {u"ші", u""}, {u"жі", u""}, {u"жя", u""}});
    std::u16string order;
    for (const Rewrite& entry : list.entries()) order += entry.source + u",";
    EXPECT_EQ(order, u"ґ,ї,і,є,щ,ші,ці,ця,цю,ць,и,зв',жі,жя,е,");
}

}  // namespace
}  // namespace vl
