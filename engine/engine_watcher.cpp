#include "engine/engine_watcher.h"

#include "contract/data_layout.h"
#include "engine/engine_state.h"
#include "store/user_dictionary_load.h"
#include "textprep/user_dictionary.h"

namespace vl {

std::unique_ptr<SettingsWatcher> make_engine_watcher(const std::filesystem::path& application_data,
                                                     EngineState& state, WatcherOptions options) {
    // Each language a voice was set up for, from its own folder.
    UserDictionaryHooks hooks{
        [&state] {
            for (const auto& language : state.languages.all()) {
                const auto folders = language->folders.get();
                if (!folders->language.empty()) {
                    reload_user_dictionary(language->dictionary, folders->language / kUserDictionaryFileName);
                }
            }
        },
        [&state] {
            for (const auto& language : state.languages.all()) clear_user_dictionary(language->dictionary);
        },
    };
    return std::make_unique<SettingsWatcher>(data_folder(application_data), state.settings,
                                             std::move(hooks), std::move(options));
}

}  // namespace vl
