#include "engine/engine_watcher.h"

#include "contract/data_layout.h"
#include "engine/engine_state.h"
#include "store/user_dictionary_load.h"
#include "textprep/user_dictionary.h"

namespace vl {

std::unique_ptr<SettingsWatcher> make_engine_watcher(const std::filesystem::path& application_data,
                                                     EngineState& state, WatcherOptions options) {
    UserDictionaryHooks hooks{
        [&state] {
            // Before any voice set-up there is no language folder to read from.
            const auto folders = state.folders.get();
            if (!folders->language.empty()) {
                reload_user_dictionary(state.dictionary, folders->language / kUserDictionaryFileName);
            }
        },
        [&state] { clear_user_dictionary(state.dictionary); },
    };
    return std::make_unique<SettingsWatcher>(data_folder(application_data), state.settings,
                                             std::move(hooks), std::move(options));
}

}  // namespace vl
