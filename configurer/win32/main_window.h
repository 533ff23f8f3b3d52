#pragma once
// The configurer's main window: the two frames, the general settings, the
// "Документация" and "Применить" buttons, the pronunciation panel, the
// shortcuts and the event loop.
#include <windows.h>

#include <filesystem>

#include "configurer/core/configurer_state.h"
#include "configurer/win32/win32_ui.h"

namespace vl {

// Builds the window, puts the focus on the sample-rate slider and runs the
// event loop until the window closes. Returns the program's exit code.
int run_main_window(ConfigurerState& state, const std::filesystem::path& application_data, Win32UserInterface& ui);

}  // namespace vl
