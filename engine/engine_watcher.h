#pragma once
// The engine's settings watcher: on the reload signal it reloads prefs.ini and
// then reloads or clears the user dictionary of every language a voice was set up for.
#include <filesystem>
#include <memory>

#include "engine/settings_watcher.h"

namespace vl {

struct EngineState;

std::unique_ptr<SettingsWatcher> make_engine_watcher(const std::filesystem::path& application_data,
                                                     EngineState& state, WatcherOptions options = {});

}  // namespace vl
