#pragma once
// Reading the configuration at start-up and writing it when it is applied.
//
// Files, under the application-data folder given (the platform's one in the
// program, another in tests and tools), for each language L of kLanguages:
//   VelnorSAPI/prefs.ini                 settings, and the Russian pronunciation
//                                        groups (the engine moves them into the
//                                        Russian pronunc.dic at voice set-up)
//   VelnorSAPI/<L's configurer file>     the configurer's user dictionary
//                                        (ru_dict.dic, uk_dict.dic)
//   VelnorSAPI/dicts/<L>/dict.dic        the engine's user dictionary, the user's
//                                        data too: merged in at start, written
//                                        with the same content
//   VelnorSAPI/dicts/<L>/pronunc.dic     the engine's pronunciation groups: read
//                                        for the groups prefs.ini lacks; the
//                                        configurer writes the groups of the
//                                        languages prefs.ini does not carry
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

// The files of one language (and prefs.ini).
ConfigurationPaths configuration_paths(const std::filesystem::path& application_data,
                                       const Language& language = kRussian);

// Fills the settings record and every language's lists from the files. When
// prefs.ini cannot be opened, shows the first-run welcome message and uses the
// defaults: the configurer's own for Russian (default_lists.h). Otherwise each
// pronunciation list is the group of prefs.ini (Russian only), else of the
// language's pronunc.dic (the combinations from english_pronunciation, else
// englishPronunciation), else the engine's default group: the lists show what
// the engine reads, since every list is written back as its group. Each user
// dictionary is the union of the configurer's file and the engine's dict.dic
// (merge_user_dictionaries: a word both hold with different pronunciations
// takes the more recently modified file's); its defaults are used only when
// neither file can be opened. The current elements are left unset. Returns
// whether prefs.ini was opened.
bool load_configuration(ConfigurerState& state, const std::filesystem::path& application_data, UserInterface& ui);

// How long an apply waits for the mutex the voices rewrite the shared files
// under: a voice set-up holds it for a few file writes, so this is reached
// only when a peer hangs.
inline constexpr std::chrono::milliseconds kApplyFilesWait{15000};

// How the engines are told to reload: tests use a name of their own.
struct SignalOptions {
    std::u16string mutex_name{reload_mutex_name};
    std::chrono::milliseconds grace{250};
    std::chrono::milliseconds files_wait{kApplyFilesWait};
};

// Owns the mutex "VelnorSAPI" (signal.mutex_name) while writing, so that a
// voice set-up never rewrites the files from what it read before; when the
// mutex cannot be had within signal.files_wait, writes nothing, says so
// (unless silent) and returns false. Then writes the settings into prefs.ini
// in place (group "General") and the Russian pronunciation lists as its
// groups, an empty list as an empty group; when that fails shows the error and
// stops. Then the other languages' groups into their pronunc.dic the same way,
// and every user dictionary, even an empty one, to the configurer's file and
// to the engine's dict.dic (making the folders), showing an error when a write
// fails. Unless silent, signals the engines and shows the success message.
// What a file already holds is not rewritten: a group with the same entries
// keeps its comments, a UTF-8 dictionary file with the same entries is not
// written (one with lines in code page 1251 is written anew in UTF-8),
// and a file with nothing to change is left untouched (comments, unknown keys
// and groups, its encoding), so starting and closing the configurer changes
// no file. Every file written is written whole and atomically. Returns whether
// prefs.ini was written.
bool apply_configuration(const ConfigurerState& state, const std::filesystem::path& application_data, bool silent,
                         UserInterface& ui, const SignalOptions& signal = {});

}  // namespace vl
