#pragma once
// The general settings frame's controls: built from the model, each change
// written back through the core's handlers.
#include <windows.h>

#include <optional>

#include "configurer/core/configurer_state.h"
#include "configurer/core/settings_page.h"

namespace vl {

// Creates the frame's controls in tab order, set from the record.
void build_settings_controls(HWND window, const ConfigurerState& state);

// A WM_COMMAND of the page's check boxes or dictionary list; nothing when the
// command is not theirs. The dictionary list reports what it does to the tab.
std::optional<DictionaryTabChange> settings_command(HWND window, ConfigurerState& state, int id, int code);

// A WM_HSCROLL of one of the sliders.
void settings_scroll(HWND window, ConfigurerState& state, HWND slider);

}  // namespace vl
