#include "configurer/core/settings_page.h"

#include <gtest/gtest.h>

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
    set_setting(state, &SettingsRecord::intonation, 50);  // the value it had
    EXPECT_TRUE(state.modified);
    state.modified = false;
    set_decimal_separator_disabled(state, true);
    EXPECT_EQ(state.settings.disable_decimal_separator, 1);
    EXPECT_TRUE(state.modified);
}

}  // namespace
}  // namespace vl
