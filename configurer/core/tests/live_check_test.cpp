#include "configurer/core/live_check.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(LiveCheck, CyrillicInLatinSourceNamesTheCharacterWhenAdding) {
    const FieldCheck check =
        check_field(ListKind::LatinLetters, DialogVariant::add, Field::source, u"aж", u"эй", kRussian);
    EXPECT_EQ(check.error_position, 2u);
    EXPECT_EQ(check.error_label, u"Недопустимый символ: \"ж\"");
    EXPECT_FALSE(check.ok_enabled);
}

TEST(LiveCheck, EditVariantAndSymbolDialogShowTheShortLabel) {
    EXPECT_EQ(check_field(ListKind::LatinLetters, DialogVariant::edit, Field::source, u"ж", u"", kRussian).error_label,
              u"Недопустимый символ!");
    EXPECT_EQ(check_field(ListKind::Symbols, DialogVariant::add, Field::source, u"5", u"", kRussian).error_label,
              u"Недопустимый символ!");
}

TEST(LiveCheck, OkFollowsBothFieldsOnceTheChangedOneIsFine) {
    EXPECT_TRUE(
        check_field(ListKind::LatinLetters, DialogVariant::add, Field::replacement, u"къю", u"q", kRussian).ok_enabled);
    EXPECT_FALSE(
        check_field(ListKind::LatinLetters, DialogVariant::add, Field::replacement, u"къю", u"", kRussian).ok_enabled);
    const FieldCheck emptied =
        check_field(ListKind::Symbols, DialogVariant::add, Field::source, u"", u"процент", kRussian);
    EXPECT_EQ(emptied.error_position, 0u);
    EXPECT_FALSE(emptied.error_label);
    EXPECT_FALSE(emptied.ok_enabled);
    // A blank is refused in the user dictionary's replacement, the equals sign allowed.
    EXPECT_EQ(check_field(ListKind::UserDictionaryList, DialogVariant::add, Field::replacement, u"а б", u"x", kRussian)
                  .error_position,
              2u);
    EXPECT_TRUE(
        check_field(ListKind::UserDictionaryList, DialogVariant::add, Field::replacement, u"а=б", u"x", kRussian)
            .ok_enabled);
}

TEST(LiveCheck, OkStaysDisabledWhileTheOtherFieldHoldsARefusedCharacter) {
    // A symbol "[" flagged, then typing the reading must not enable OK.
    const FieldCheck symbol = check_field(ListKind::Symbols, DialogVariant::add, Field::source, u"[", u"", kRussian);
    EXPECT_EQ(symbol.error_position, 1u);
    EXPECT_TRUE(symbol.error_label);
    EXPECT_FALSE(
        check_field(ListKind::Symbols, DialogVariant::add, Field::replacement, u"скобка", u"[", kRussian).ok_enabled);
    EXPECT_FALSE(check_field(ListKind::UserDictionaryList, DialogVariant::edit, Field::replacement, u"два",
                             u"два слова", kRussian)
                     .ok_enabled);
    EXPECT_TRUE(
        check_field(ListKind::Symbols, DialogVariant::add, Field::replacement, u"скобка", u"(", kRussian).ok_enabled);
}

// The Ukrainian dictionary takes words with an apostrophe (any form) between
// two letters. While a word is typed its apostrophe may end it without an
// error, so that the letter typed next does not replace it; OK waits for that
// letter. The Russian dictionary and every replacement refuse the apostrophe.
TEST(LiveCheck, UkrainianWordsTakeAnApostropheBetweenLetters) {
    const Language& ukrainian = *find_language(kUkrainianLanguage);
    const auto word = [](std::u16string_view text, const Language& language) {
        return check_field(ListKind::UserDictionaryList, DialogVariant::add, Field::source, text, u"пъя+ть", language);
    };
    for (std::u16string_view text : {u"п'ять", u"сім\u2019я", u"об\u02BCєкт", u"o'neil"})
        EXPECT_TRUE(word(text, ukrainian).ok_enabled);
    const FieldCheck typed = word(u"п'", ukrainian);
    EXPECT_EQ(typed.error_position, 0u);
    EXPECT_FALSE(typed.ok_enabled);
    EXPECT_EQ(word(u"'ять", ukrainian).error_position, 1u);
    EXPECT_EQ(word(u"п''ять", ukrainian).error_position, 2u);
    EXPECT_EQ(word(u"п' ять", ukrainian).error_position, 2u);
    EXPECT_EQ(word(u"п'", kRussian).error_position, 2u);
    EXPECT_EQ(check_field(ListKind::UserDictionaryList, DialogVariant::add, Field::replacement, u"п'я+ть", u"п'ять",
                          ukrainian)
                  .error_position,
              2u);
}

TEST(LiveCheck, StartStateAndLabelRemoval) {
    EXPECT_FALSE(ok_enabled_at_start(DialogVariant::add, u"a", u"b"));
    EXPECT_TRUE(ok_enabled_at_start(DialogVariant::edit, u"a", u""));
    EXPECT_FALSE(ok_enabled_at_start(DialogVariant::edit, u"", u""));
    EXPECT_TRUE(key_press_clears_error_label(ListKind::UserDictionaryList, DialogVariant::add));
    EXPECT_FALSE(key_press_clears_error_label(ListKind::LatinLetters, DialogVariant::edit));
    EXPECT_FALSE(key_press_clears_error_label(ListKind::Symbols, DialogVariant::add));
}

}  // namespace
}  // namespace vl
