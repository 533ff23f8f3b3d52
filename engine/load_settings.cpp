#include "engine/load_settings.h"

#include <algorithm>

#include "base/file_io.h"
#include "engine/settings_defaults.h"

namespace vl {
namespace {

int32_t default_of(std::u16string_view key) {
    for (const SettingDefinition& setting : setting_definitions)
        if (setting.key == key) return setting.default_value;
    return 0;
}

}  // namespace

void write_default_general_group(SettingsFile& file) {
    file.select_group(general_group);
    for (const DefaultGeneralLine& line : default_general_lines) {
        if (line.kind == DefaultGeneralLine::comment)
            file.write_comment(line.text);
        else
            file.write_int(line.text, default_of(line.text));
    }
}

bool load_settings(const std::filesystem::path& data_folder, Settings& settings) {
    const std::filesystem::path path = data_folder / settings_file_name;
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        write_file_atomic(path, SettingsFile(SettingsLayout::group_separator).to_bytes());
    std::optional<SettingsFile> file = SettingsFile::open(path, SettingsLayout::group_separator);
    if (!file) return false;

    if (!file->select_group(general_group)) write_default_general_group(*file);
    for (const SettingDefinition& setting : setting_definitions) {
        const int32_t value =
            std::clamp(file->read_int(setting.key, setting.default_value), setting.minimum, setting.maximum);
        (settings.*setting.field).store(value, std::memory_order_relaxed);
        file->write_int(setting.key, value);
    }
    file->close();  // a failed rewrite leaves the old file; the values read still hold
    return true;
}

}  // namespace vl
