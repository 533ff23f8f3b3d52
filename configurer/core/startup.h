#pragma once
// The configurer's life outside its windows: start-up, the Apply button,
// closing, and finding the documentation.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "configurer/core/configuration_files.h"
#include "configurer/core/configurer_state.h"
#include "configurer/core/user_interface.h"
#include "platform/single_instance.h"

namespace vl {

inline constexpr std::u16string_view kApplicationName = u"VelnorConfigurer";
inline constexpr std::u16string_view kRunAfterSetupSwitch = u"-runaftersetup";

// The object name of an application: blanks become "_", then "_Instance".
std::u16string single_instance_name(std::u16string_view application_name);
// The single-instance object of the application, or nothing when another copy
// holds it (or it cannot be made).
std::optional<SingleInstance> create_single_instance(std::u16string_view application_name);

// The first command-line argument, in any case, is "-runaftersetup".
bool is_run_after_setup(std::u16string_view first_argument);

enum class StartupResult {
    exit,         // end the program: another copy runs, or set-up ran it with a settings file in place
    show_window,  // build the main window and run the event loop
};

// Start-up up to the main window: takes the single instance (else shows the
// error and ends), reads the switch, loads the configuration (showing the
// welcome message on a first run), ends at once when the switch was given and
// the settings file exists, and otherwise applies the configuration silently.
StartupResult start_configurer(ConfigurerState& state, std::u16string_view first_argument,
                               const std::filesystem::path& application_data, UserInterface& ui,
                               std::u16string_view application_name = kApplicationName);

// The Apply button (and Ctrl+S): applies, then clears `modified` whatever the outcome.
void apply_button(ConfigurerState& state, const std::filesystem::path& application_data, UserInterface& ui,
                  const SignalOptions& signal = {});

// The window's close request. With unapplied changes asks Yes, No or Cancel;
// Yes applies first. True when the program ends (the single instance is then
// given up); false on Cancel.
bool close_configurer(ConfigurerState& state, const std::filesystem::path& application_data, UserInterface& ui,
                      const SignalOptions& signal = {});

// The documentation beside the program, docs/Russian.html, when it exists and
// is not empty.
std::optional<std::filesystem::path> find_documentation(const std::filesystem::path& program_folder);
// The message shown when it is missing.
Message documentation_missing_message();

}  // namespace vl
