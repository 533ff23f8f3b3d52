#include "textprep/prepare_text.h"

#include <gtest/gtest.h>

#include "textprep/blank_out.h"

namespace vl {
namespace {

const PronunciationTables kNoTables{};
const UserDictionary kNoDictionary{};

PrepareContext russian(int32_t use_dictionary = 1) {
    return PrepareContext{kRussianLanguage, use_dictionary, 0, kNoTables, kNoDictionary};
}

TEST(BlankOut, ReplacesEveryMemberOfTheSetAndKeepsLength) {
    EXPECT_EQ(blank_out_characters(u"a\nb\fc\rd\"e(f)g*h_i'j", kBlankingSet, u' '), u"a b c d e f g h i j");
    EXPECT_EQ(blank_out_characters(u"«»[]{}-,.", kBlankingSet, u' '), u"«»[]{}-,.");
    EXPECT_EQ(blank_out_characters(u"", kBlankingSet, u' '), u"");
}

TEST(PrepareText, BracketsBecomeBlanks) { EXPECT_EQ(prepare_text(u"(тест)", russian()), u" тест "); }

TEST(PrepareText, StressMarkPassesThrough) { EXPECT_EQ(prepare_text(u"ма+ма", russian()), u"ма+ма"); }

}  // namespace
}  // namespace vl
