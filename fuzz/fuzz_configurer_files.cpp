// Loads the configurer's files from arbitrary bytes: the input is split into
// prefs.ini, ru_dict.dic, the engine's Russian dict.dic and pronunc.dic; what was loaded is then
// written back and loaded again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "configurer/core/configuration_files.h"
#include "contract/data_layout.h"
#include "store/file_io.h"

namespace {

namespace fs = std::filesystem;

class SilentUi : public vl::UserInterface {
public:
    vl::Answer message_box(const vl::Message&) override { return vl::Answer::ok; }
};

// Takes a part whose length is given by the next two bytes (at most what is left).
std::string_view take_part(std::string_view& input) {
    if (input.size() < 2) return input = {}, std::string_view();
    const std::size_t wanted = static_cast<unsigned char>(input[0]) | (static_cast<unsigned char>(input[1]) << 8);
    input.remove_prefix(2);
    const std::string_view part = input.substr(0, wanted);
    input.remove_prefix(part.size());
    return part;
}

const fs::path& application_data() {
    static const fs::path folder = fs::temp_directory_path() / ("vl_fuzz_configurer_" + std::to_string(std::random_device{}()));
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& appdata = application_data();
    static const vl::ConfigurationPaths paths = [&] {
        fs::create_directories(vl::language_folder(vl::data_folder(appdata), vl::kRussian.folder));
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(application_data(), ignored);
        });
        return vl::configuration_paths(appdata);
    }();

    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view settings = take_part(input);
    const std::string_view dictionary = take_part(input);
    const std::string_view engine_dictionary = take_part(input);
    vl::write_file_atomic(paths.settings, settings);
    vl::write_file_atomic(paths.user_dictionary, dictionary);
    vl::write_file_atomic(paths.engine_dictionary, engine_dictionary);
    vl::write_file_atomic(paths.pronunciation, input);

    SilentUi ui;
    vl::ConfigurerState state;
    vl::load_configuration(state, appdata, ui);
    vl::apply_configuration(state, appdata, /*silent=*/true, ui);
    vl::ConfigurerState again;
    vl::load_configuration(again, appdata, ui);
    return 0;
}
