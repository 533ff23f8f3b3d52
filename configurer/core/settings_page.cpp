#include "configurer/core/settings_page.h"

#include <type_traits>

namespace vl {

void set_fixed_pauses(ConfigurerState& state, bool checked, int32_t slider_position) {
    state.settings.pause = checked ? slider_position : -1;
    state.modified = true;
}

DictionaryTabChange set_use_dictionary(ConfigurerState& state, uint8_t selected) {
    const bool shown_before = user_dictionary_tab_shown(state.settings);
    state.settings.use_dictionary = selected;
    state.modified = true;
    const bool shown_now = user_dictionary_tab_shown(state.settings);
    if (shown_before == shown_now) return DictionaryTabChange::none;
    return shown_now ? DictionaryTabChange::append : DictionaryTabChange::remove;
}

void set_setting(ConfigurerState& state, Setting setting, int32_t value) {
    for_each_setting(state.settings, [&](const SettingDefinition& definition, auto& field) {
        if (definition.id == setting) field = static_cast<std::remove_reference_t<decltype(field)>>(value);
    });
    state.modified = true;
}

void set_decimal_separator_disabled(ConfigurerState& state, bool checked) {
    state.settings.disable_decimal_separator = checked ? 1 : 0;
    state.modified = true;
}

}  // namespace vl
