#include "configurer/core/list_operations.h"

#include <gtest/gtest.h>

#include "configurer/core/default_lists.h"
#include "configurer/core/tests/recording_ui.h"

namespace vl {
namespace {

using test::RecordingUi;

ConfigurerState state_with_defaults() {
    ConfigurerState state;
    state.lists().latin_letters = default_entry_list(kDefaultLatinLetters);
    state.lists().cyrillic_letters = default_entry_list(kDefaultCyrillicLetters);
    state.lists().latin_combinations = default_entry_list(kDefaultLatinCombinations);
    state.lists().symbols = default_symbol_list();
    state.lists().user_dictionary = default_entry_list(kDefaultUserDictionary);
    return state;
}

TEST(AddEntry, DuplicateAfterLowerCasingIsRefusedAndClosesTheDialog) {
    ConfigurerState state = state_with_defaults();
    const auto before = state.lists().latin_letters;
    RecordingUi ui;
    EXPECT_EQ(confirm_entry_dialog(state, ListKind::LatinLetters, DialogVariant::add, u"J", u"жэ", ui),
              DialogOutcome::closed_unchanged);
    EXPECT_EQ(state.lists().latin_letters, before);
    EXPECT_FALSE(state.modified);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], (Message{u"Ошибка", u"Такое произношение уже задано.", MessageKind::error}));
}

TEST(AddEntry, StoresLowerCaseAndMakesTheNewEntryCurrent) {
    ConfigurerState state = state_with_defaults();
    RecordingUi ui;
    EXPECT_EQ(confirm_entry_dialog(state, ListKind::LatinCombinations, DialogVariant::add, u"Ab", u"ЭБ", ui),
              DialogOutcome::closed_changed);
    EXPECT_EQ(state.lists().latin_combinations.entries.back(), (PronunciationEntry{u"ab", u"эб"}));
    EXPECT_EQ(state.lists().latin_combinations.current, 3u);
    EXPECT_TRUE(state.modified);
    EXPECT_TRUE(ui.shown.empty());
    // An existing source in upper case counts as a duplicate too.
    state.lists().user_dictionary.entries.push_back({u"МТС", u"эм-тэ-эс"});
    EXPECT_EQ(confirm_entry_dialog(state, ListKind::UserDictionaryList, DialogVariant::add, u"мтс", u"мтс", ui),
              DialogOutcome::closed_unchanged);
}

TEST(AddEntry, RefusalsComeInOrderAndKeepTheDialogOpen) {
    ConfigurerState state = state_with_defaults();
    RecordingUi ui;
    const auto add = [&](std::u16string_view source, std::u16string_view replacement) {
        return confirm_entry_dialog(state, ListKind::LatinLetters, DialogVariant::add, source, replacement, ui);
    };
    EXPECT_EQ(add(u"", u""), DialogOutcome::stays_open);
    EXPECT_EQ(add(u"ж", u""), DialogOutcome::stays_open);
    EXPECT_EQ(add(u"ж", u"жэ"), DialogOutcome::stays_open);
    EXPECT_EQ(add(u"ä", u"а1"), DialogOutcome::stays_open);
    EXPECT_EQ(add(u"jj", u"дж1"), DialogOutcome::stays_open);
    EXPECT_EQ(ui.texts(), (std::vector<std::u16string>{
                              u"Не задано исходное значение произношения.",
                              u"Не задана замена произношения.",
                              u"В поле для задания что именно произносить присутствует один или несколько "
                              u"недопустимых символов. Для начала, удалите хотя бы ж.",
                              u"В поле для задания что именно произносить присутствует один или несколько "
                              u"недопустимых символов. Для начала, удалите хотя бы ä.",
                              u"В поле для задания как именно нужно произносить присутствует один или несколько "
                              u"недопустимых символов. Для начала, удалите хотя бы 1.",
                          }));
    EXPECT_EQ(state.lists().latin_letters.entries.size(), 26u);
    EXPECT_FALSE(state.modified);
}

TEST(EditEntry, OverwritesTheCurrentEntryOnlyWithWhatTheFileCanHold) {
    ConfigurerState state = state_with_defaults();
    state.lists().latin_letters.current = 1;  // b
    RecordingUi ui;
    const auto edit = [&](ListKind kind, std::u16string_view source, std::u16string_view replacement) {
        return confirm_entry_dialog(state, kind, DialogVariant::edit, source, replacement, ui);
    };
    // Another element's source would leave one line of the two in the file: refused, the dialog stays open.
    EXPECT_EQ(edit(ListKind::LatinLetters, u"A", u"эй"), DialogOutcome::stays_open);
    EXPECT_EQ(edit(ListKind::LatinLetters, u"b", u"Б1"), DialogOutcome::stays_open);
    EXPECT_EQ(edit(ListKind::LatinLetters, u"[q", u"кью"), DialogOutcome::stays_open);
    EXPECT_EQ(edit(ListKind::LatinLetters, u"a", u""), DialogOutcome::stays_open);
    state.lists().user_dictionary.entries = {PronunciationEntry{u"слово", u"сло+во"}};
    state.lists().user_dictionary.current = 0;
    EXPECT_EQ(edit(ListKind::UserDictionaryList, u"два слова", u"два"), DialogOutcome::stays_open);
    EXPECT_EQ(ui.texts(), (std::vector<std::u16string>{
                              u"Такое произношение уже задано.",
                              u"В поле для задания как именно нужно произносить присутствует один или несколько "
                              u"недопустимых символов. Для начала, удалите хотя бы 1.",
                              u"В поле для задания что именно произносить присутствует один или несколько "
                              u"недопустимых символов. Для начала, удалите хотя бы [.",
                              u"Не задана замена произношения.",
                              u"В поле для задания что именно произносить присутствует один или несколько "
                              u"недопустимых символов. Для начала, удалите хотя бы  .",
                          }));
    EXPECT_FALSE(state.modified);
    EXPECT_EQ(state.lists().latin_letters.entries[1], (PronunciationEntry{u"b", u"би"}));

    // Its own source is no duplicate.
    EXPECT_EQ(edit(ListKind::LatinLetters, u"B", u"Бэ+"), DialogOutcome::closed_changed);
    EXPECT_EQ(state.lists().latin_letters.entries[1], (PronunciationEntry{u"b", u"бэ+"}));
    EXPECT_EQ(state.lists().latin_letters.current, 1u);
    EXPECT_TRUE(state.modified);
}

TEST(SymbolDialog, DuplicatesAreExactAndTheSymbolKeepsItsCase) {
    ConfigurerState state = state_with_defaults();
    RecordingUi ui;
    EXPECT_EQ(confirm_symbol_dialog(state, DialogVariant::add, u"€", u"евро", 0, ui), DialogOutcome::closed_unchanged);
    EXPECT_EQ(ui.texts(), std::vector<std::u16string>{u"Такое произношение уже задано."});
    EXPECT_EQ(confirm_symbol_dialog(state, DialogVariant::add, u"Ω", u"ОМЕГА", 1, ui), DialogOutcome::closed_changed);
    EXPECT_EQ(confirm_symbol_dialog(state, DialogVariant::add, u"ω", u"омега", 0, ui), DialogOutcome::closed_changed);
    ASSERT_EQ(state.lists().symbols.entries.size(), 30u);
    EXPECT_EQ(state.lists().symbols.entries[28], (SymbolEntry{u"Ω", u"омега", 1}));
    EXPECT_EQ(state.lists().symbols.current, 29u);

    state.lists().symbols.current = 1;
    EXPECT_EQ(confirm_symbol_dialog(state, DialogVariant::edit, u"€", u"Евро", 1, ui), DialogOutcome::closed_changed);
    EXPECT_EQ(state.lists().symbols.entries[1], (SymbolEntry{u"€", u"евро", 1}));
    EXPECT_EQ(confirm_symbol_dialog(state, DialogVariant::edit, u"£", u"фунт", 1, ui), DialogOutcome::stays_open);
}

TEST(SymbolDialog, EveryPathRefusesWhatTheSettingsFileCannotHold) {
    // At the start of a key line "[" reads as a group header, ";" as a comment; "=" ends the key; blanks are
    // trimmed; ":" would end the name inside "name:when". Adding and editing, by OK or by Enter, all refuse them.
    for (const DialogVariant variant : {DialogVariant::add, DialogVariant::edit}) {
        ConfigurerState state = state_with_defaults();
        state.lists().symbols.current = 0;
        RecordingUi ui;
        for (std::u16string_view symbol : {u"[", u";", u"=", u" ", u"\t", u"a", u"%="})
            EXPECT_EQ(confirm_symbol_dialog(state, variant, symbol, u"скобка", 0, ui), DialogOutcome::stays_open)
                << static_cast<int>(variant);
        for (std::u16string_view replacement : {u" скобка", u"ско:бка", u"скобка\r\nx = y", u"sk"})
            EXPECT_EQ(confirm_symbol_dialog(state, variant, u"%", replacement, 0, ui), DialogOutcome::stays_open);
        EXPECT_EQ(ui.shown.size(), 11u);
        EXPECT_EQ(state.lists().symbols.entries.size(), 28u);
        EXPECT_FALSE(state.modified);
    }
}

TEST(DeleteEntry, AsksWithTheSourceAndMakesThePreviousElementCurrent) {
    ConfigurerState state = state_with_defaults();
    RecordingUi ui;
    state.lists().latin_letters.current = 9;  // j
    ui.answers = {Answer::no};
    EXPECT_FALSE(delete_entry(state, ListKind::LatinLetters, ui));
    EXPECT_EQ(state.lists().latin_letters.entries.size(), 26u);
    EXPECT_EQ(state.lists().latin_letters.current, 9u);
    EXPECT_FALSE(state.modified);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0], (Message{u"Удалить произношение ", u"Вы действительно желаете удалить произношение \"j\"?",
                                    MessageKind::question_yes_no}));

    EXPECT_TRUE(delete_entry(state, ListKind::LatinLetters, ui));
    EXPECT_EQ(state.lists().latin_letters.entries.size(), 25u);
    EXPECT_EQ(state.lists().latin_letters.entries[9].source, u"k");
    EXPECT_EQ(state.lists().latin_letters.current, 8u);
    EXPECT_TRUE(state.modified);

    state.lists().symbols.current = 0;
    EXPECT_TRUE(delete_entry(state, ListKind::Symbols, ui));
    EXPECT_EQ(ui.shown.back().text, u"Вы действительно желаете удалить произношение \"£\"?");
    EXPECT_FALSE(state.lists().symbols.current);  // the first element was deleted
    EXPECT_FALSE(delete_entry(state, ListKind::Symbols, ui));  // nothing is current: no question
    EXPECT_EQ(ui.shown.size(), 3u);
}

TEST(DeleteEntry, EveryElementOneByOneEndsWithAnEmptyList) {
    ConfigurerState state = state_with_defaults();
    RecordingUi ui;
    select_entry(state, ListKind::CyrillicLetters, 5);
    while (current_entry(state, ListKind::CyrillicLetters)) delete_entry(state, ListKind::CyrillicLetters, ui);
    EXPECT_EQ(state.lists().cyrillic_letters.entries.size(), 0u);  // from the end back to the first
    select_entry(state, ListKind::CyrillicLetters, 0);
    EXPECT_FALSE(current_entry(state, ListKind::CyrillicLetters));
}

}  // namespace
}  // namespace vl
