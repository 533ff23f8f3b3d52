#pragma once
// Reading the configuration at start-up and writing it when it is applied.
//
// Files, under the application-data folder given (the platform's one in the
// program, another in tests and tools):
//   VelnorSAPI/prefs.ini                   settings and the pronunciation groups
//   VelnorSAPI/ru_dict.dic                 the configurer's user dictionary
//   VelnorSAPI/dicts/Russian/dict.dic      the engine's Russian user dictionary,
//                                          written with the same content
//   VelnorSAPI/dicts/Russian/pronunc.dic   read for pronunciation groups that
//                                          the engine moved out of prefs.ini
#include <chrono>
#include <filesystem>
#include <string>

#include "configurer/core/configurer_state.h"
#include "configurer/core/user_interface.h"
#include "platform/reload_signal.h"

namespace vl {

struct ConfigurationPaths {
    std::filesystem::path settings;
    std::filesystem::path user_dictionary;
    std::filesystem::path engine_dictionary;
    std::filesystem::path pronunciation;
};

ConfigurationPaths configuration_paths(const std::filesystem::path& application_data);

// Fills the settings record and the five lists from the files. When prefs.ini
// cannot be opened, shows the first-run welcome message and uses the defaults
// for the settings and the four pronunciation lists. When it opens, a
// pronunciation group it lacks is taken from the Russian pronunc.dic (the
// combinations from english_pronunciation, else englishPronunciation), else
// from the engine's defaults for that group: the lists show what the engine
// reads, since every list is written back as its group. The user dictionary is the union of ru_dict.dic and the
// engine's dict.dic (merge_user_dictionaries: a word both hold with different
// pronunciations takes the more recently modified file's); the default user
// dictionary is used only when neither file can be opened. The current elements are left unset. Returns whether
// prefs.ini was opened.
bool load_configuration(ConfigurerState& state, const std::filesystem::path& application_data, UserInterface& ui);

// How the engines are told to reload: tests use a name of their own.
struct SignalOptions {
    std::u16string mutex_name{reload_mutex_name};
    std::chrono::milliseconds grace{250};
};

// Writes prefs.ini whole (group "General", then a group per pronunciation
// list, empty for an empty list); when that fails shows the error and stops.
// Then writes the user dictionary, even an empty one, to ru_dict.dic and to
// the engine's Russian dict.dic (making its folder), showing an error when
// either write fails. Unless silent, signals the engines and shows the success
// message. Every file is written whole and atomically. Returns whether
// prefs.ini was written.
bool apply_configuration(const ConfigurerState& state, const std::filesystem::path& application_data, bool silent,
                         UserInterface& ui, const SignalOptions& signal = {});

}  // namespace vl
