#pragma once
// What the general settings page's change handlers do to the model. Every
// change sets `modified`, also when the value is set back.
#include <cstdint>

#include "configurer/core/configurer_state.h"

namespace vl {

// The pause check box: checked takes the pause slider's position, clear gives -1.
void set_fixed_pauses(ConfigurerState& state, bool checked, int32_t slider_position);

// What the dictionary list's change does to the "Словарь" tab.
enum class DictionaryTabChange {
    none,
    append,  // append the tab at position 4, filled from the user dictionary list
    remove,  // remove the tab at position 4; the list keeps its entries
};

// The dictionary list: use_dictionary becomes the selected index.
DictionaryTabChange set_use_dictionary(ConfigurerState& state, uint8_t selected);

// Any other control: the slider's position, or 0 and 1 for the decimal check box.
void set_setting(ConfigurerState& state, Setting setting, int32_t value);
void set_decimal_separator_disabled(ConfigurerState& state, bool checked);

}  // namespace vl
