#include "configurer/core/text_expand.h"

#include <gtest/gtest.h>

#include "configurer/core/dialog_texts.h"
#include "configurer/core/texts.h"

namespace vl {
namespace {

TEST(ExpandText, ReplacesEachPlaceholderAndRemovesTheEmptyTitle) {
    EXPECT_EQ(expand_text(u"а%chr_nl%б"), u"а\nб");
    EXPECT_EQ(expand_text(u"%app%Окно %app%"), u"Окно ");
    EXPECT_EQ(expand_text(u"%chr_tab%x%chr_quote%y%chr_quote%%chr_nl%"), u"\tx\"y\"\n");
    EXPECT_EQ(expand_text(u"100% %chr_quote%%%chr_quote%"), u"100% \"%\"");
    EXPECT_EQ(expand_text(u"%chr_nl"), u"%chr_nl");
    EXPECT_EQ(expand_text(texts::kSettingsWriteFailed),
              u"Не получилось применить новую конфигурацию...\nОшибка записи в файл.");
}

TEST(ExpandText, WelcomeMessageHasThreeParagraphsEndingWithTheFixedOne) {
    const std::u16string text = expand_text(texts::kWelcomeText);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 2);
    EXPECT_TRUE(text.ends_with(u"\nВы только что установили Velnor SAPI. Теперь необходимо его сконфигурировать. "
                               u"Сейчас будут применены настройки по умолчанию. Вы можете изменить их на свой вкус "
                               u"в следующем окне."));
}

TEST(SubstitutePlaceholders, PutsTheValueInPlaceOfEveryOccurrence) {
    EXPECT_EQ(substitute_placeholders(texts::kDeleteQuestion, {{u"%entry%", u"j"}}),
              u"Вы действительно желаете удалить произношение \"j\"?");
    EXPECT_EQ(substitute_placeholders(u"%char% и %char%", {{u"%char%", u"ж"}}), u"ж и ж");
    EXPECT_EQ(substitute_placeholders(texts::kDeleteQuestion, {{u"%letter%", u"j"}}),
              u"Вы действительно желаете удалить произношение \"%entry%\"?");
    // A value is not expanded again and not searched for later keys.
    EXPECT_EQ(substitute_placeholders(u"%a%", {{u"%a%", u"%chr_nl%%b%"}, {u"%b%", u"x"}}), u"%chr_nl%x");
}

TEST(DialogTexts, TitlesLabelsAndSymbolCodes) {
    EXPECT_EQ(dialog_title(ListKind::LatinCombinations, DialogVariant::add, u""),
              u"Добавление произношения латинских сочетаний");
    EXPECT_EQ(dialog_title(ListKind::LatinLetters, DialogVariant::edit, u"j"), u"Редактирование произношения \"j\"");
    EXPECT_EQ(dialog_title(ListKind::Symbols, DialogVariant::edit, u"€"),
              u"Редактирование произношения символа \"€\"");
    EXPECT_EQ(source_label(ListKind::UserDictionaryList), u"Слово:");
    EXPECT_EQ(replacement_label(ListKind::LatinCombinations), u"Читать как:");
    EXPECT_EQ(invalid_char_label(ListKind::LatinLetters, DialogVariant::add, u'ж'), u"Недопустимый символ: \"ж\"");
    EXPECT_EQ(invalid_char_label(ListKind::LatinLetters, DialogVariant::edit, u'ж'), u"Недопустимый символ!");
    EXPECT_EQ(invalid_char_label(ListKind::Symbols, DialogVariant::add, u'a'), u"Недопустимый символ!");
    EXPECT_EQ(when_text(0), u"При посимвольном чтении");
    EXPECT_EQ(when_text(1), u"Всегда");
    EXPECT_EQ(when_text(2), u"");
    ConfigurerState state;
    state.lists().symbols.entries = {{u"₽", u"рубль", 1}};
    state.lists().latin_letters.entries = {{u"j", u"джэй"}};
    EXPECT_EQ(row_texts(state, ListKind::Symbols, 0), (std::vector<std::u16string>{u"₽", u"рубль", u"Всегда"}));
    EXPECT_EQ(row_texts(state, ListKind::LatinLetters, 0), (std::vector<std::u16string>{u"j", u"джэй"}));
    EXPECT_TRUE(row_texts(state, ListKind::LatinLetters, 1).empty());
}

}  // namespace
}  // namespace vl
