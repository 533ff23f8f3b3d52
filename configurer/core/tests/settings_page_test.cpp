#include "configurer/core/settings_page.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace vl {
namespace {

TEST(SettingsPage, PauseCheckBoxSwitchesBetweenTheSliderAndAutomatic) {
    ConfigurerState state;
    set_fixed_pauses(state, true, 0);
    EXPECT_EQ(state.settings.pause, 0);
    EXPECT_TRUE(state.modified);
    set_fixed_pauses(state, false, 40);
    EXPECT_EQ(state.settings.pause, -1);
}

TEST(SettingsPage, DictionaryTabFollowsTheUserDictionaryInUse) {
    ConfigurerState state;
    state.lists().user_dictionary.entries.push_back({u"слово", u"сло+во"});
    EXPECT_EQ(set_use_dictionary(state, 0), DictionaryTabChange::remove);
    EXPECT_EQ(set_use_dictionary(state, 1), DictionaryTabChange::none);
    EXPECT_EQ(set_use_dictionary(state, 3), DictionaryTabChange::append);
    EXPECT_EQ(set_use_dictionary(state, 2), DictionaryTabChange::none);
    EXPECT_EQ(set_use_dictionary(state, 1), DictionaryTabChange::remove);
    EXPECT_EQ(state.lists().user_dictionary.entries.size(), 1u);
    EXPECT_EQ(state.settings.use_dictionary, 1);
}

TEST(SettingsPage, EveryChangeMarksTheModelModified) {
    ConfigurerState state;
    set_setting(state, Setting::intonation, 50);  // the value it had
    EXPECT_TRUE(state.modified);
    state.modified = false;
    set_decimal_separator_disabled(state, true);
    EXPECT_EQ(state.settings.disable_decimal_separator, 1);
    EXPECT_TRUE(state.modified);
}

// The record's fields are found by the settings' keys, each once, starting at the defaults.
TEST(SettingsRecord, EachFieldIsFoundByItsSettingsKey) {
    SettingsRecord record;
    int visited = 0;
    for_each_setting(record, [&](const SettingDefinition& definition, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        EXPECT_EQ(field, static_cast<Field>(definition.default_value));
        field = static_cast<Field>(definition.key.size());
        ++visited;
    });
    EXPECT_EQ(visited, 7);
    EXPECT_EQ(record.sample_rate, 11);
    EXPECT_EQ(record.pause, 5);
    EXPECT_EQ(record.use_dictionary, 14);
    EXPECT_EQ(record.intonation, 10);
    EXPECT_EQ(record.silence_at_begin, 16);
    EXPECT_EQ(record.silence_at_end, 14);
    EXPECT_EQ(record.disable_decimal_separator, 25);
}

}  // namespace
}  // namespace vl
