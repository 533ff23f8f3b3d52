#include "configurer/core/startup.h"

#include <system_error>

#include "base/lowercase.h"
#include "configurer/core/texts.h"

namespace vl {

std::u16string single_instance_name(std::u16string_view application_name) {
    std::u16string name(application_name);
    for (char16_t& c : name)
        if (c == u' ') c = u'_';
    return name + u"_Instance";
}

std::optional<SingleInstance> create_single_instance(std::u16string_view application_name) {
    return SingleInstance::create(single_instance_name(application_name));
}

bool is_run_after_setup(std::u16string_view first_argument) {
    return to_lower(first_argument) == kRunAfterSetupSwitch;
}

StartupResult start_configurer(ConfigurerState& state, std::u16string_view first_argument,
                               const std::filesystem::path& application_data, UserInterface& ui,
                               std::u16string_view application_name) {
    state.instance = create_single_instance(application_name);
    if (!state.instance) {
        show_error(ui, texts::kAnotherCopyRunning);
        return StartupResult::exit;
    }
    state.run_after_setup = is_run_after_setup(first_argument);
    const bool settings_opened = load_configuration(state, application_data, ui);
    if (settings_opened && state.run_after_setup) {
        state.instance.reset();
        return StartupResult::exit;
    }
    apply_configuration(state, application_data, /*silent=*/true, ui);
    return StartupResult::show_window;
}

void apply_button(ConfigurerState& state, const std::filesystem::path& application_data, UserInterface& ui,
                  const SignalOptions& signal) {
    apply_configuration(state, application_data, /*silent=*/false, ui, signal);
    state.modified = false;
}

bool close_configurer(ConfigurerState& state, const std::filesystem::path& application_data, UserInterface& ui,
                      const SignalOptions& signal) {
    if (state.modified) {
        const Answer answer = ui.message_box(
            make_message(texts::kAttentionTitle, texts::kUnappliedChangesQuestion, MessageKind::question_yes_no_cancel));
        if (answer == Answer::cancel) return false;
        if (answer == Answer::yes) apply_configuration(state, application_data, /*silent=*/false, ui, signal);
    }
    state.instance.reset();
    return true;
}

std::optional<std::filesystem::path> find_documentation(const std::filesystem::path& program_folder) {
    const std::filesystem::path path = program_folder / "docs" / "Russian.html";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0) return std::nullopt;
    return path;
}

Message documentation_missing_message() {
    return make_message(texts::kErrorTitle, texts::kNoDocumentation, MessageKind::error);
}

}  // namespace vl
